#pragma once
// Reads XML text into XMLNode trees as the player does: elements with
// attributes, texts with entities decoded (unknown ones kept as written),
// CDATA sections as texts, comments dropped; the XML and DOCTYPE
// declarations kept as text. Malformed text stops the reading with the
// player's status code, keeping the nodes read so far.
#include <QString>

namespace swf::avm1 {

class Context;
class Object;

namespace XmlStatus {
enum : int {
    Ok = 0,
    CdataNotTerminated = -2,
    DeclarationNotTerminated = -3,
    DoctypeNotTerminated = -4,
    CommentNotTerminated = -5,
    MalformedElement = -6,
    AttributeNotTerminated = -8,
    StartWithoutEnd = -9,
    EndWithoutStart = -10,
};
}

struct XmlParse {
    int status = XmlStatus::Ok;
    QString xmlDecl;    // empty when none
    QString docTypeDecl;
};

// Adds the nodes of `text` to `document`, as XMLNode objects.
XmlParse parseXml(Context &cx, Object *document, const QString &text, bool ignoreWhite);
// Decodes the entities of `text` (&amp; &lt; &gt; &quot; &apos; &#n; &#xh;).
QString unescapeXml(const QString &text);

}
