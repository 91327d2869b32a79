#pragma once
// What a movie says about itself rather than what it shows: its file
// attributes, protection, debugging and script limits, and the characters
// it exports to and imports from other movies.
#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace swf {

class BitReader;

struct ImportedAssets {
    QString url;
    std::vector<std::pair<uint16_t, QString>> assets; // the id they get here, the exported name
};

struct MovieInfo {
    // FileAttributes.
    bool useNetwork = false, actionScript3 = false, hasMetadata = false, useGpu = false, useDirectBlit = false;
    bool protectedMovie = false;  // Protect: refuses to be imported into an editor
    bool debuggerEnabled = false; // EnableDebugger or EnableDebugger2
    // ScriptLimits: nothing when the movie keeps the player's defaults.
    std::optional<int> maxRecursionDepth, scriptTimeoutSeconds;
    QHash<QString, uint16_t> exports; // ExportAssets: name to character id
    std::vector<ImportedAssets> imports;

    // Reads a tag of this kind; returns false for a tag of another kind.
    bool readTag(uint16_t code, BitReader &in, int version);
};

}
