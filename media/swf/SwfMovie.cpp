#include "SwfMovie.h"

#include "SwfBitReader.h"
#include "SwfBitmap.h"
#include "SwfButton.h"
#include "SwfError.h"
#include "SwfTags.h"
#include "SwfText.h"
#include "SwfVideo.h"

#include <algorithm>

namespace swf {

namespace {
constexpr double kDefaultRate = 12;
constexpr double kMaxRate = 120;
}

void Movie::append(const QByteArray &bytes)
{
    if (done || failed())
        return;
    received += bytes.size();
    stream.append(bytes);
    if (stream.failed())
        return fail(stream.error());
    parse();
}

void Movie::finish()
{
    if (failed() || done)
        return;
    if (!stream.headerRead())
        return fail(QStringLiteral("The movie is empty or not a Flash movie"));
    parse();
    if (!haveHeader)
        return fail(QStringLiteral("The movie is truncated"));
    done = true;
}

void Movie::fail(const QString &why)
{
    if (errorText.isEmpty())
        errorText = why;
}

const Character *Movie::character(uint16_t id) const
{
    auto it = dictionary.constFind(id);
    if (it != dictionary.constEnd())
        return it->get();
    const ImportedCharacter *borrowed = imported(id);
    return borrowed ? borrowed->movie->character(borrowed->id) : nullptr;
}

const ImportedCharacter *Movie::imported(uint16_t id) const
{
    auto it = importedCharacters.constFind(id);
    return it == importedCharacters.constEnd() ? nullptr : &*it;
}

int Movie::framesLoaded() const
{
    int frames = int(root.frames.size());
    for (const auto &[frame, provided] : importStates)
        if (!provided)
            frames = std::min(frames, frame);
    return frames;
}

int Movie::importsPending() const
{
    return int(std::count_if(importStates.begin(), importStates.end(), [](const auto &s) { return !s.second; }));
}

void Movie::provideImport(size_t index, std::shared_ptr<const Movie> source)
{
    if (index >= importStates.size() || importStates[index].second)
        return;
    importStates[index].second = true;
    if (!source)
        return;
    for (const auto &[id, name] : movieInfo.imports[index].assets) {
        auto exported = source->info().exports.constFind(name);
        if (exported == source->info().exports.constEnd() || dictionary.contains(id) || importedCharacters.contains(id))
            continue;
        // A character the source itself imported is borrowed from where it is defined.
        const ImportedCharacter *further = source->imported(*exported);
        ImportedCharacter borrowed = further ? *further : ImportedCharacter{source, *exported};
        if (borrowed.movie->character(borrowed.id))
            importedCharacters.insert(id, std::move(borrowed));
    }
}

const ButtonSounds *Movie::buttonSounds(uint16_t buttonId) const
{
    auto it = buttonSoundTable.constFind(buttonId);
    return it == buttonSoundTable.constEnd() ? nullptr : &*it;
}

const FontCharacter *Movie::embeddedFont(const QString &name, bool bold, bool italic) const
{
    const FontCharacter *anyStyle = nullptr;
    for (const std::shared_ptr<Character> &c : dictionary) {
        auto *font = dynamic_cast<const FontCharacter *>(c.get());
        if (!font || font->glyphs.empty() || font->name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (font->bold == bold && font->italic == italic)
            return font;
        if (!anyStyle)
            anyStyle = font;
    }
    return anyStyle;
}

void Movie::define(uint16_t id, std::shared_ptr<Character> character)
{
    // The first definition of an id stands: placed objects point at it.
    if (!dictionary.contains(id))
        dictionary.insert(id, std::move(character));
}

bool Movie::readMovieHeader()
{
    const QByteArray &body = stream.body();
    BitReader in(body);
    try {
        stage = readRect(in);
        uint16_t fixedRate = in.u16();
        root.declaredFrames = in.u16();
        rate = fixedRate / 256.0;
    } catch (const SwfError &) {
        if (stream.complete())
            fail(QStringLiteral("The movie's header is truncated"));
        return false;
    }
    // A rate of 0 means "as fast as possible"; keep it to a sane pace.
    if (rate <= 0)
        rate = kDefaultRate;
    rate = std::min(rate, kMaxRate);
    if (stage.width() <= 0 || stage.height() <= 0)
        stage = QRectF(0, 0, 550 * 20, 400 * 20);
    parsed = in.position();
    haveHeader = true;
    return true;
}

void Movie::parse()
{
    if (!haveHeader && !readMovieHeader())
        return;
    const QByteArray &body = stream.body();
    const auto *data = reinterpret_cast<const uint8_t *>(body.constData());
    size_t size = size_t(body.size());
    size_t declaredBody = stream.declaredLength() - 8;
    while (!done) {
        size_t pos = parsed;
        if (size - pos < 2)
            break;
        uint16_t header = uint16_t(data[pos] | data[pos + 1] << 8);
        pos += 2;
        uint16_t code = header >> 6;
        size_t length = header & 0x3F;
        if (length == 0x3F) {
            if (size - pos < 4)
                break;
            length = size_t(data[pos]) | size_t(data[pos + 1]) << 8 | size_t(data[pos + 2]) << 16 | size_t(data[pos + 3]) << 24;
            pos += 4;
        }
        if (length > declaredBody - pos) {
            // The tag claims more than the whole movie holds: stop here and
            // keep the frames read so far.
            done = true;
            break;
        }
        if (length > size - pos)
            break;
        parsed = pos + length;
        if (code == tag::End) {
            done = true;
            break;
        }
        readTag(code, data + pos, length);
    }
    if (stream.complete())
        done = true;
}

void Movie::readTag(uint16_t code, const uint8_t *data, size_t length)
{
    BitReader in(data, length);
    int v = stream.version();
    try {
        if (root.readControlTag(code, in, v))
            return;
        if (movieInfo.readTag(code, in, v)) {
            while (importStates.size() < movieInfo.imports.size())
                importStates.emplace_back(int(root.frames.size()), false);
            return;
        }
        switch (code) {
        case tag::SetBackgroundColor:
            if (!background) // the first one counts
                background = readRgb(in);
            break;
        case tag::DefineShape:
        case tag::DefineShape2:
        case tag::DefineShape3:
        case tag::DefineShape4: {
            uint16_t id = in.u16();
            auto c = std::make_shared<ShapeCharacter>();
            int shapeVersion = code == tag::DefineShape ? 1 : code == tag::DefineShape2 ? 2 : code == tag::DefineShape3 ? 3 : 4;
            c->shape = readShape(in, shapeVersion);
            define(id, c);
            break;
        }
        case tag::DefineMorphShape:
        case tag::DefineMorphShape2: {
            uint16_t id = in.u16();
            auto c = std::make_shared<MorphShapeCharacter>();
            c->morph = MorphShape::read(in, code == tag::DefineMorphShape ? 1 : 2);
            define(id, c);
            break;
        }
        case tag::JPEGTables:
            jpegTables = in.bytes(in.remaining());
            break;
        case tag::DefineBits:
        case tag::DefineBitsJPEG2:
        case tag::DefineBitsJPEG3:
        case tag::DefineBitsJPEG4:
        case tag::DefineBitsLossless:
        case tag::DefineBitsLossless2: {
            uint16_t id = in.u16();
            auto c = std::make_shared<BitmapCharacter>();
            if (code == tag::DefineBits)
                c->image = readDefineBits(in, jpegTables);
            else if (code == tag::DefineBitsJPEG2 || code == tag::DefineBitsJPEG3 || code == tag::DefineBitsJPEG4)
                c->image = readDefineBitsJpeg(in, code == tag::DefineBitsJPEG2 ? 2 : code == tag::DefineBitsJPEG3 ? 3 : 4);
            else
                c->image = readDefineBitsLossless(in, code == tag::DefineBitsLossless2);
            define(id, c);
            break;
        }
        case tag::DefineFont: {
            uint16_t id = in.u16();
            define(id, FontCharacter::readFont1(in));
            break;
        }
        case tag::DefineFont2:
        case tag::DefineFont3: {
            uint16_t id = in.u16();
            define(id, FontCharacter::readFont2(in, v, code == tag::DefineFont3));
            break;
        }
        case tag::DefineFontInfo:
        case tag::DefineFontInfo2: {
            uint16_t id = in.u16();
            if (auto font = std::dynamic_pointer_cast<FontCharacter>(dictionary.value(id)))
                font->readInfo(in, v, code == tag::DefineFontInfo2);
            break;
        }
        case tag::DefineText:
        case tag::DefineText2: {
            uint16_t id = in.u16();
            define(id, TextCharacter::read(in, code == tag::DefineText2));
            break;
        }
        case tag::DefineEditText: {
            uint16_t id = in.u16();
            define(id, EditTextCharacter::read(in, v, *this));
            break;
        }
        case tag::DefineButton:
        case tag::DefineButton2: {
            uint16_t id = in.u16();
            define(id, ButtonCharacter::read(in, code == tag::DefineButton2));
            break;
        }
        case tag::DefineSound: {
            uint16_t id = in.u16();
            auto c = std::make_shared<SoundCharacter>();
            c->sound = EventSound::read(in);
            define(id, c);
            break;
        }
        case tag::DefineButtonSound: {
            auto [button, sounds] = readButtonSounds(in);
            buttonSoundTable.insert(button, sounds);
            break;
        }
        case tag::DefineVideoStream: {
            uint16_t id = in.u16();
            define(id, VideoCharacter::read(in));
            break;
        }
        case tag::VideoFrame: {
            auto video = std::dynamic_pointer_cast<VideoCharacter>(dictionary.value(in.u16()));
            if (video)
                video->readFrame(in);
            break;
        }
        case tag::DefineSprite: {
            uint16_t id = in.u16();
            auto c = std::make_shared<SpriteCharacter>();
            c->timeline.readSprite(in, v);
            define(id, c);
            break;
        }
        default:
            readCharacterExtra(code, in, v);
            break;
        }
    } catch (const SwfError &) {
        // A broken definition is left out; the rest of the movie plays.
    }
}

void Movie::readCharacterExtra(uint16_t code, BitReader &in, int version)
{
    switch (code) {
    case tag::DefineFontAlignZones:
    case tag::DefineFontName:
        if (auto *font = defined<FontCharacter>(in.u16())) {
            if (code == tag::DefineFontAlignZones)
                font->readAlignZones(in);
            else
                font->readFontName(in, version);
        }
        break;
    case tag::CSMTextSettings: {
        uint16_t id = in.u16();
        TextRenderSettings settings = TextRenderSettings::read(in);
        if (auto *text = defined<TextCharacter>(id))
            text->renderSettings = settings;
        else if (auto *field = defined<EditTextCharacter>(id))
            field->renderSettings = settings;
        break;
    }
    case tag::DefineButtonCxform:
        if (auto *button = defined<ButtonCharacter>(in.u16()))
            button->colorTransform = readColorTransform(in, false);
        break;
    case tag::DefineScalingGrid:
        if (auto *character = defined<Character>(in.u16()))
            character->scalingGrid = readRect(in);
        break;
    default:
        break;
    }
}

}
