#include "XmlParser.h"

#include "XmlNode.h"
#include "swf/avm1/Vm.h"

#include <vector>

namespace swf::avm1 {

QString unescapeXml(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        qsizetype semicolon = text.indexOf(QLatin1Char(';'), i + 1);
        QStringView entity = semicolon > i ? QStringView(text).mid(i + 1, semicolon - i - 1) : QStringView();
        QString decoded;
        if (entity == u"amp")
            decoded = QStringLiteral("&");
        else if (entity == u"lt")
            decoded = QStringLiteral("<");
        else if (entity == u"gt")
            decoded = QStringLiteral(">");
        else if (entity == u"quot")
            decoded = QStringLiteral("\"");
        else if (entity == u"apos")
            decoded = QStringLiteral("'");
        else if (entity.size() > 1 && entity[0] == '#') {
            bool ok = false;
            uint code = entity[1] == 'x' || entity[1] == 'X' ? entity.mid(2).toUInt(&ok, 16) : entity.mid(1).toUInt(&ok);
            if (ok && code > 0 && code <= 0x10FFFF)
                decoded = QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1);
        }
        if (decoded.isEmpty()) {
            out += text[i]; // not an entity: the & stays
            continue;
        }
        out += decoded;
        i = semicolon;
    }
    return out;
}

namespace {

bool isSpace(QChar c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isNameChar(QChar c)
{
    return !isSpace(c) && c != '>' && c != '/' && c != '=' && c != '<' && c != '"' && c != '\'';
}

class Reader {
public:
    Reader(Context &cx, Object *document, const QString &text, bool ignoreWhite)
        : cx(cx), text(text), ignoreWhite(ignoreWhite), proto(cx.vm.protos.xmlNode)
    {
        open.push_back(document);
    }

    XmlParse run()
    {
        XmlParse result;
        while (pos < text.size() && result.status == XmlStatus::Ok) {
            if (text[pos] != '<')
                readText();
            else if (text.mid(pos, 4) == QLatin1String("<!--"))
                result.status = skipPast(QStringLiteral("-->"), XmlStatus::CommentNotTerminated);
            else if (text.mid(pos, 9) == QLatin1String("<![CDATA[")) {
                qsizetype end = text.indexOf(QLatin1String("]]>"), pos + 9);
                if (end < 0)
                    result.status = XmlStatus::CdataNotTerminated;
                else {
                    addText(text.mid(pos + 9, end - pos - 9), false);
                    pos = end + 3;
                }
            } else if (text.mid(pos, 2) == QLatin1String("<?")) {
                qsizetype start = pos;
                result.status = skipPast(QStringLiteral("?>"), XmlStatus::DeclarationNotTerminated);
                if (result.status == XmlStatus::Ok)
                    result.xmlDecl += text.mid(start, pos - start);
            } else if (text.mid(pos, 9).compare(QLatin1String("<!DOCTYPE"), Qt::CaseInsensitive) == 0) {
                qsizetype start = pos;
                result.status = skipPast(QStringLiteral(">"), XmlStatus::DoctypeNotTerminated);
                if (result.status == XmlStatus::Ok)
                    result.docTypeDecl = text.mid(start, pos - start);
            } else if (text.mid(pos, 2) == QLatin1String("</"))
                result.status = readEndTag();
            else
                result.status = readStartTag();
        }
        if (result.status == XmlStatus::Ok && open.size() > 1)
            result.status = XmlStatus::StartWithoutEnd;
        return result;
    }

private:
    int skipPast(const QString &end, int failure)
    {
        qsizetype at = text.indexOf(end, pos);
        if (at < 0)
            return failure;
        pos = at + end.size();
        return XmlStatus::Ok;
    }

    void addText(const QString &value, bool decode)
    {
        Object *node = makeXmlNode(cx.vm, proto, XmlNodeData::Text, cx.vm.string(decode ? unescapeXml(value) : value));
        insertXmlChild(cx.vm, open.back(), node, nullptr);
    }

    void readText()
    {
        qsizetype end = text.indexOf(QLatin1Char('<'), pos);
        if (end < 0)
            end = text.size();
        QString value = text.mid(pos, end - pos);
        pos = end;
        bool blank = std::all_of(value.begin(), value.end(), isSpace);
        if (!(ignoreWhite && blank))
            addText(value, true);
    }

    QString readName()
    {
        qsizetype start = pos;
        while (pos < text.size() && isNameChar(text[pos]))
            ++pos;
        return text.mid(start, pos - start);
    }

    void skipSpace()
    {
        while (pos < text.size() && isSpace(text[pos]))
            ++pos;
    }

    int readStartTag()
    {
        ++pos; // <
        QString name = readName();
        if (name.isEmpty())
            return XmlStatus::MalformedElement;
        Object *element = makeXmlNode(cx.vm, proto, XmlNodeData::Element, cx.vm.string(name));
        Object *attributes = cx.vm.newObject();
        element->nativeAs<XmlNodeData>()->attributes = attributes;
        insertXmlChild(cx.vm, open.back(), element, nullptr);
        while (true) {
            skipSpace();
            if (pos >= text.size())
                return XmlStatus::MalformedElement;
            if (text[pos] == '>') {
                ++pos;
                open.push_back(element);
                return XmlStatus::Ok;
            }
            if (text.mid(pos, 2) == QLatin1String("/>")) {
                pos += 2;
                return XmlStatus::Ok;
            }
            QString attribute = readName();
            skipSpace();
            if (attribute.isEmpty() || pos >= text.size() || text[pos] != '=')
                return XmlStatus::MalformedElement;
            ++pos;
            skipSpace();
            if (pos >= text.size() || (text[pos] != '"' && text[pos] != '\''))
                return XmlStatus::MalformedElement;
            QChar quote = text[pos++];
            qsizetype end = text.indexOf(quote, pos);
            if (end < 0)
                return XmlStatus::AttributeNotTerminated;
            String *key = cx.vm.name(attribute);
            if (!attributes->findOwn(key, true))
                attributes->put(key, cx.vm.string(unescapeXml(text.mid(pos, end - pos))));
            pos = end + 1;
        }
    }

    int readEndTag()
    {
        pos += 2;
        QString name = readName();
        skipSpace();
        if (pos >= text.size() || text[pos] != '>')
            return XmlStatus::MalformedElement;
        ++pos;
        if (open.size() < 2)
            return XmlStatus::EndWithoutStart;
        XmlNodeData *top = open.back()->nativeAs<XmlNodeData>();
        if (!top->content.isString() || top->content.string()->text() != name)
            return XmlStatus::StartWithoutEnd;
        open.pop_back();
        return XmlStatus::Ok;
    }

    Context &cx;
    const QString &text;
    bool ignoreWhite;
    Object *proto;
    qsizetype pos = 0;
    std::vector<Object *> open; // the document and the elements not yet closed
};

}

XmlParse parseXml(Context &cx, Object *document, const QString &text, bool ignoreWhite)
{
    return Reader(cx, document, text, ignoreWhite).run();
}

}
