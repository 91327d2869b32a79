#include "SwfMovieInfo.h"

#include "SwfBitReader.h"
#include "SwfTags.h"

namespace swf {

namespace {

// A count, then (character id, name) pairs.
std::vector<std::pair<uint16_t, QString>> readAssets(BitReader &in, int version)
{
    std::vector<std::pair<uint16_t, QString>> assets;
    int count = in.u16();
    for (int i = 0; i < count; ++i) {
        uint16_t id = in.u16();
        assets.emplace_back(id, in.string(version));
    }
    return assets;
}

}

bool MovieInfo::readTag(uint16_t code, BitReader &in, int version)
{
    switch (code) {
    case tag::FileAttributes: {
        int flags = in.u8();
        useDirectBlit = flags & 0x40;
        useGpu = flags & 0x20;
        hasMetadata = flags & 0x10;
        actionScript3 = flags & 0x08;
        useNetwork = flags & 0x01;
        return true;
    }
    case tag::Protect:
        protectedMovie = true;
        return true;
    case tag::EnableDebugger:
    case tag::EnableDebugger2:
        debuggerEnabled = true;
        return true;
    case tag::ScriptLimits:
        maxRecursionDepth = in.u16();
        scriptTimeoutSeconds = in.u16();
        return true;
    case tag::ExportAssets:
        for (const auto &[id, name] : readAssets(in, version))
            if (!exports.contains(name))
                exports.insert(name, id);
        return true;
    case tag::ImportAssets:
    case tag::ImportAssets2: {
        ImportedAssets imported;
        imported.url = in.string(version);
        if (code == tag::ImportAssets2)
            in.skip(2); // reserved
        imported.assets = readAssets(in, version);
        imports.push_back(std::move(imported));
        return true;
    }
    default:
        return false;
    }
}

}
