#pragma once
// The HTML subset of text fields: reading it into formatted text and writing
// formatted text back out as the text field's htmlText.
//
// Read: <b> <i> <u> <font face size color letterspacing kerning> <a href
// target> <p align> <li> <br> <textformat leftmargin rightmargin indent
// blockindent leading tabstops>, the entities &lt; &gt; &amp; &quot; &apos;
// &nbsp; and &#N; / &#xN;. Tag and attribute names ignore case; unknown tags
// are dropped and their content kept; a closing tag closes up to the last
// tag of its name. Text between two tags that is only white space is
// dropped, unless it is spaces inside a paragraph; text of nothing but
// spaces is no text. In a multiline field, </p>, </li> and <br> end a line with '\r' (a
// paragraph that starts after text on the same line ends that line first);
// in a single-line field they break nothing. Line breaks in the source text
// are line breaks unless `condenseWhite`, which folds every run of white
// space into one space.
//
// With style sheet rules, <p>, <li> and <a> take the rule of their name, and
// <span>, <p>, <li> and <a> the rule of their class (".name", in any case);
// the tag's own attributes come last.
#include "SwfFormattedText.h"

#include <QHash>

namespace swf {

// Style sheet rules by selector in lower case ("p", ".note").
using StyleRules = QHash<QString, TextFormat>;

FormattedText parseHtmlText(const QString &html, const TextFormat &base, bool condenseWhite, bool multiline,
                            const StyleRules *styles = nullptr);

// Nothing for empty text; otherwise every paragraph (none after a final
// '\r') as <P ALIGN> (or <LI> for bullets) inside a <TEXTFORMAT>
// when its margins, indents, leading or tab stops are set. Its text is in a
// <FONT FACE SIZE COLOR LETTERSPACING KERNING> of its first run; a run in
// another font opens a nested <FONT> with what differs, closed again when a
// later run is back in an enclosing font; each run's text sits in its
// <A HREF TARGET> <B> <I> <U>.
QString writeHtmlText(const FormattedText &text);

}
