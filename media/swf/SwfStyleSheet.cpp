#include "SwfStyleSheet.h"

#include <QStringList>

#include <algorithm>

namespace swf {

namespace {

// "font-size" -> "fontSize": a hyphen makes the character after it capital.
QString scriptName(const QString &cssName)
{
    QString name;
    for (qsizetype i = 0; i < cssName.size(); ++i) {
        if (cssName[i] == u'-') {
            if (++i < cssName.size())
                name.append(cssName[i].toUpper());
            continue;
        }
        name.append(cssName[i]);
    }
    return name;
}

bool hasSpace(const QString &s)
{
    return std::any_of(s.begin(), s.end(), [](QChar c) { return c.isSpace(); });
}

struct Scanner {
    const QString &text;
    qsizetype at = 0;

    bool atEnd() const { return at >= text.size(); }
    QChar peek() const { return text[at]; }
    void skipSpace()
    {
        while (!atEnd() && peek().isSpace())
            ++at;
    }
    // The text up to the first of `stops`, which stays; nothing at the end.
    std::optional<QString> upTo(QStringView stops)
    {
        qsizetype begin = at;
        while (!atEnd() && !stops.contains(peek()))
            ++at;
        if (atEnd())
            return std::nullopt;
        return text.mid(begin, at - begin);
    }
};

// The declarations of a block, after its "{": each a name up to a colon
// (semicolons included), then a value up to ";" or "}". The block may stay
// open at the end only where a declaration would begin.
std::optional<std::vector<std::pair<QString, QString>>> parseBlock(Scanner &in)
{
    std::vector<std::pair<QString, QString>> declarations;
    while (true) {
        in.skipSpace();
        if (in.atEnd())
            return declarations;
        if (in.peek() == u'}') {
            ++in.at;
            return declarations;
        }
        auto name = in.upTo(u":");
        if (!name || hasSpace(name->trimmed()))
            return std::nullopt;
        ++in.at;
        in.skipSpace();
        auto value = in.upTo(u";}");
        if (!value)
            return std::nullopt;
        if (in.peek() == u';')
            ++in.at;
        if (!name->trimmed().isEmpty())
            declarations.emplace_back(scriptName(*name), *value);
    }
}

}

std::optional<std::vector<CssRule>> parseCss(const QString &text)
{
    std::vector<CssRule> rules;
    Scanner in{text};
    while (true) {
        in.skipSpace();
        if (in.atEnd())
            return rules;
        auto selectors = in.upTo(u"{");
        if (!selectors)
            return std::nullopt;
        ++in.at;
        auto declarations = parseBlock(in);
        if (!declarations)
            return std::nullopt;
        CssRule rule;
        for (const QString &selector : selectors->split(u',')) {
            QString name = selector.trimmed();
            if (!name.isEmpty() && !hasSpace(name))
                rule.selectors.push_back(name);
        }
        rule.declarations = std::move(*declarations);
        if (!rule.selectors.empty())
            rules.push_back(std::move(rule));
    }
}

}
