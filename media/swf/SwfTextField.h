#pragma once
// A text field: the model behind DefineEditText and script-made fields.
//
// The field holds formatted text (every character with a complete
// TextFormat), the field's own properties and its bounds in pixels of its
// own space. Layout is computed on demand and kept until something changes.
// Scripts bind onto this API:
//   text()/setText()            plain text; setting it uses newTextFormat()
//   htmlText()/setHtmlText()    the HTML subset (see SwfHtmlText.h); on a
//                               field that is not html it is the plain text
//   replaceText(b, e, s)        replaces [b, e), the new text in the format
//                               of character b (replaceSel, typing)
//   textFormat(b, e)            the format common to [b, e) (getTextFormat)
//   setTextFormat(b, e, f)      sets f's given fields (setTextFormat); the
//                               paragraph fields go to whole paragraphs
//   newTextFormat()/setNewTextFormat()
//   bounds()/setBounds()        _x/_y/_width/_height before the matrix; auto
//                               size moves and resizes the bounds it reports
//   autoSize, wordWrap, multiline, html, password, border, background and
//   their colours, selectable, editable, embedFonts, maxChars, variable,
//   condenseWhite, restrict: plain properties
//   scroll (1-based first line shown), maxScroll(), bottomScroll(),
//   hscroll (pixels), maxHScroll(), textWidth(), textHeight(), numLines()
//   selection and caret: setSelection(b, e), focused, caretShown (the
//   blink phase, which the owner toggles), caretIndexAt(point) for clicks
// Sizes are pixels; colours are 0xRRGGBB.
#include "SwfFormattedText.h"
#include "SwfHtmlText.h"
#include "SwfTextLayout.h"

#include <QRectF>
#include <optional>

namespace swf {

struct EditTextCharacter;
struct FontCharacter;

enum class AutoSize { None, Left, Center, Right };

class TextField {
public:
    // An empty field with the default format; `fonts` finds embedded faces.
    explicit TextField(EmbeddedFonts fonts = {});
    // The field a DefineEditText record places; `font` is the record's font.
    static TextField fromRecord(const EditTextCharacter &record, const FontCharacter *font, EmbeddedFonts fonts);

    QString text() const;
    void setText(const QString &text);
    QString htmlText() const;
    void setHtmlText(const QString &html);
    void replaceText(int begin, int end, const QString &text);
    // A style sheet's rules: with them, text and htmlText both read HTML
    // styled by them, whatever `html` says, and htmlText gives back the HTML
    // last read; without them the text keeps the formats they gave it.
    void setStyleRules(std::optional<StyleRules> rules);
    // Reads the HTML last read again with the rules now in force.
    void restyle();
    int length() const { return content.size(); }
    const FormattedText &formattedText() const { return content; }

    TextFormat textFormat(int begin, int end) const { return content.formatOf(begin, end); }
    void setTextFormat(int begin, int end, const TextFormat &format);
    const TextFormat &newTextFormat() const { return typingFormat; }
    void setNewTextFormat(const TextFormat &format) { typingFormat.apply(format); }

    QRectF bounds() const;
    void setBounds(const QRectF &pixels);

    AutoSize autoSize() const { return sizing; }
    void setAutoSize(AutoSize value);
    bool wordWrap() const { return wrap; }
    void setWordWrap(bool on);
    bool multiline = false;
    bool html = false;
    bool password() const { return hidden; }
    void setPassword(bool on);
    bool embedFonts() const { return embedded; }
    void setEmbedFonts(bool on);
    bool condenseWhite = false;
    // Movies before version 8 measure trailing spaces of aligned text.
    bool alignedSpacesCount = false;
    bool mouseWheelEnabled = true;
    // The settings of the finer antialiasing of Flash 8 text, kept for
    // scripts: "normal" or "advanced", "none", "pixel" or "subpixel", and
    // sharpness and thickness (as given; the drawing does not use them).
    QString antiAliasType = QStringLiteral("normal");
    QString gridFitType = QStringLiteral("pixel");
    double sharpness = 0, thickness = 0;
    bool border = false, background = false;
    QRgb borderColor = 0x000000, backgroundColor = 0xFFFFFF;
    bool selectable = true, editable = false;
    int maxChars = 0; // 0: no limit
    std::optional<QString> restrict; // the characters typing may enter; none: all
    QString variable;

    int scroll() const;
    void setScroll(int line);
    int maxScroll() const;
    int bottomScroll() const;
    double hscroll() const;
    void setHScroll(double pixels);
    double maxHScroll() const;
    double textWidth() const { return layout().textWidth; }
    double textHeight() const { return layout().textHeight; }
    int numLines() const { return int(layout().lines.size()); }

    int selectionBegin() const { return selBegin; }
    int selectionEnd() const { return selEnd; }
    // Where the caret is: at one end of the selection.
    int caretIndex() const { return caret; }
    // Selects between `anchor` and `caret` (in either order), clamped to the text.
    void setSelection(int anchor, int caret);
    bool focused = false;
    bool caretShown = true;

    // The caret position nearest to `point`, in pixels of the field's space.
    int caretIndexAt(QPointF point) const;
    // The character whose glyph is under `point`, or -1.
    int characterAt(QPointF point) const;
    // Whether any of the text links somewhere.
    bool hasLinks() const;

    const TextLayout &layout() const;
    // The first line shown, 0-based, within what the text allows.
    int firstLine() const;
    // Where the layout's origin lies in the field's space, scrolled.
    QPointF layoutOrigin() const;

private:
    // After any change of the text: a new layout, the selection within the text.
    void changed();
    void fitToText() const;
    void readHtml(const QString &source);

    EmbeddedFonts fonts;
    FormattedText content;
    std::optional<StyleRules> styleRules;
    std::optional<QString> styledSource; // the styled HTML the text was read from
    TextFormat typingFormat = TextFormat::defaults();
    QRectF area{0, 0, 100, 100};
    AutoSize sizing = AutoSize::None;
    bool wrap = false, hidden = false, embedded = false;
    int scrollLine = 1;
    double hscrollPixels = 0;
    int selBegin = 0, selEnd = 0, caret = 0;
    mutable std::optional<TextLayout> laidOut;
    mutable QRectF sizedArea; // the bounds after auto size
};

}
