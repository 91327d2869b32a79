// The HTML subset of text fields: paragraphs and breaks, nested formats,
// sloppy markup, entities, white space, and writing htmlText back.
#include "swf/SwfHtmlText.h"

#include <gtest/gtest.h>

using swf::FormattedText;
using swf::TextAlign;
using swf::TextFormat;

namespace {

// As a multiline field reads it.
FormattedText parse(const QString &html, bool condense = false)
{
    return swf::parseHtmlText(html, TextFormat::defaults(), condense, true);
}

}

TEST(SwfHtmlText, ParagraphsAndBreaksEndLinesInMultilineFieldsOnly)
{
    struct Row {
        const char *html;
        const char *multiline;
        const char *singleLine;
    } rows[] = {
        {"<p>a</p><p>b</p>", "a\rb\r", "ab"},
        {"<p>a</p>b", "a\rb", "ab"},
        {"a<p>b</p>", "a\rb\r", "ab"},
        {"a<br>b<br/>", "a\rb\r", "ab"},
        {"<p></p><p>b</p>", "\rb\r", "b"},
        {"<li>one</li><li>two</li>", "one\rtwo\r", "onetwo"},
        {"<p>line 1</p> <br> <p>line 2</p>", "line 1\r\rline 2\r", "line 1line 2"},
        {"test <b> test <br> test </b> test", "test  test \r test  test", "test  test  test  test"},
        {"line\none\r\ntwo", "line\rone\rtwo", "line\rone\rtwo"},
        {"\n<p>test</p>\n", "test\r", "test"},
        {" <b> </b> \n", "", ""},
        {"<p>a<b> </b>b</p>", "a b\r", "a b"},
    };
    for (const Row &row : rows) {
        QString html = QString::fromUtf8(row.html);
        EXPECT_EQ(swf::parseHtmlText(html, TextFormat::defaults(), false, true).text(), QString::fromUtf8(row.multiline))
            << row.html;
        EXPECT_EQ(swf::parseHtmlText(html, TextFormat::defaults(), false, false).text(), QString::fromUtf8(row.singleLine))
            << row.html;
    }
}

TEST(SwfHtmlText, TagsNestFormatsAndParagraphsTakeTheirFirstCharactersFormat)
{
    FormattedText t = parse("<p align=\"justify\"><font face=\"Arial\" size=\"30\" color=\"#FF99CC\">R<b>B<i>I</i></b>"
                            "<u>U</u><a href=\"http://x/\" target=\"_blank\">A</a></font></p><p>n</p>");
    ASSERT_EQ(t.text(), QStringLiteral("RBIUA\rn\r"));
    const TextFormat &r = t.formatAt(0);
    EXPECT_EQ(r.font, QStringLiteral("Arial"));
    EXPECT_EQ(r.size, 30);
    EXPECT_EQ(r.color, 0xFF99CCu);
    EXPECT_EQ(r.bold, false);
    EXPECT_EQ(r.align, TextAlign::Justify);
    EXPECT_EQ(t.formatAt(1).bold, true);
    EXPECT_EQ(t.formatAt(2).bold, true);
    EXPECT_EQ(t.formatAt(2).italic, true);
    EXPECT_EQ(t.formatAt(3).underline, true);
    EXPECT_EQ(t.formatAt(3).bold, false);
    EXPECT_EQ(t.formatAt(4).url, QStringLiteral("http://x/"));
    EXPECT_EQ(t.formatAt(4).target, QStringLiteral("_blank"));
    EXPECT_EQ(t.formatAt(5).align, TextAlign::Justify) << "the break belongs to the paragraph it ends";
    EXPECT_EQ(t.formatAt(5).font, QStringLiteral("Arial")) << "in the format of the text before it";
    EXPECT_EQ(t.formatAt(5).size, 30);
    EXPECT_EQ(t.formatAt(6).font, QStringLiteral("Times New Roman")) << "the second paragraph is back to the base";
    EXPECT_EQ(t.formatAt(6).align, TextAlign::Left);
}

TEST(SwfHtmlText, AttributesInAnyCaseAndQuotingAndRelativeSizes)
{
    FormattedText t = parse("<FONT COLOR='#00ff00' SIZE='+4'>a</FONT><font size=\"-2\">b</font><font "
                            "letterSpacing=\"1.5\" kerning=\"1\">c</font><P ALIGN='RIGHT'>d</P>");
    EXPECT_EQ(t.formatAt(0).color, 0x00FF00u);
    EXPECT_EQ(t.formatAt(0).size, 16);
    EXPECT_EQ(t.formatAt(1).size, 10);
    EXPECT_EQ(t.formatAt(2).letterSpacing, 1.5);
    EXPECT_EQ(t.formatAt(2).kerning, true);
    EXPECT_EQ(t.formatAt(4).align, TextAlign::Right);
}

TEST(SwfHtmlText, ColoursTakeTheHexDigitsAfterTheHashAndUnquotedValuesEndTheText)
{
    const std::pair<const char *, QRgb> colours[] = {
        {"#ff", 0xFF}, {"#ff0", 0xFF0}, {"#ff00ffffee", 0xFFFFEE}, {"#ff00gp", 0xFF00}, {"ff00ff", 0}, {"", 0},
    };
    for (const auto &[attribute, colour] : colours)
        EXPECT_EQ(parse(QStringLiteral("<font color=\"%1\">x</font>").arg(QLatin1String(attribute))).formatAt(0).color,
                  colour)
            << attribute;
    EXPECT_EQ(parse("kept<font color=#00FF00>green</font>").text(), "kept");
}

TEST(SwfHtmlText, TextFormatTagSetsParagraphMarginsIndentsLeadingAndTabStops)
{
    FormattedText t = parse("<textformat leftmargin=\"5\" rightmargin=\"6\" indent=\"-3\" blockindent=\"7\" leading=\"2\" "
                            "tabstops=\"[10,20]\"><p>x</p></textformat><p>y</p>");
    const TextFormat &x = t.formatAt(0);
    EXPECT_EQ(x.leftMargin, 5);
    EXPECT_EQ(x.rightMargin, 6);
    EXPECT_EQ(x.indent, -3);
    EXPECT_EQ(x.blockIndent, 7);
    EXPECT_EQ(x.leading, 2);
    EXPECT_EQ(x.tabStops, (std::vector<double>{10, 20}));
    EXPECT_EQ(t.formatAt(2).leftMargin, 0);
}

TEST(SwfHtmlText, SloppyMarkupKeepsTheText)
{
    struct Row {
        const char *html;
        const char *text;
    } rows[] = {
        {"<b>a<i>b</b>c", "abc"},
        {"</i>x</p>", "x\r"},
        {"<unknown attr=\"1\">x</unknown>", "x"},
        {"<img src=\"a.png\">y", "y"},
        {"a<b", "a"},
        {"<font face=>z</font>", "z"},
        {"&lt;&gt;&amp;&quot;&apos;&nbsp;&#65;&#x42;&bogus;&#99999999;&", "<>&\"'\u00a0AB&bogus;&#99999999;&"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(parse(QString::fromUtf8(row.html)).text(), QString::fromUtf8(row.text)) << row.html;
    FormattedText t = parse("<b>a<i>b</b>c");
    EXPECT_EQ(t.formatAt(2).bold, false) << "closing <b> closes the <i> inside it";
    EXPECT_EQ(t.formatAt(2).italic, false);
}

TEST(SwfHtmlText, CondenseWhiteFoldsWhiteSpaceButKeepsEntities)
{
    EXPECT_EQ(parse("  a \n\n  b  ", true).text(), QStringLiteral(" a b ")) << "a line may start with a space";
    EXPECT_EQ(parse("<p> a</p>\n<p> b&nbsp; </p>", true).text(), QString::fromUtf8(" a\r b\u00a0 \r"));
    EXPECT_EQ(parse("<p> </p><p>a<b> </b>b</p>", true).text(), QStringLiteral("\ra b\r"))
        << "only white space at a line's start is no text";
    EXPECT_EQ(parse("  a \n b", false).text(), QStringLiteral("  a \r b"));
}

TEST(SwfHtmlText, WritesEveryParagraphAndRunWithItsFormat)
{
    EXPECT_EQ(swf::writeHtmlText(parse("<p align='center'><b>Hi</b> &amp; you</p>")),
              QStringLiteral("<P ALIGN=\"CENTER\"><FONT FACE=\"Times New Roman\" SIZE=\"12\" COLOR=\"#000000\" "
                             "LETTERSPACING=\"0\" KERNING=\"0\"><B>Hi</B> &amp; you</FONT></P>"));
    EXPECT_EQ(swf::writeHtmlText(parse("")), QString());
    EXPECT_EQ(swf::writeHtmlText(parse("a<br><i><br></i>")),
              QStringLiteral("<P ALIGN=\"LEFT\"><FONT FACE=\"Times New Roman\" SIZE=\"12\" COLOR=\"#000000\" "
                             "LETTERSPACING=\"0\" KERNING=\"0\">a</FONT></P><P ALIGN=\"LEFT\"><FONT FACE=\"Times New "
                             "Roman\" SIZE=\"12\" COLOR=\"#000000\" LETTERSPACING=\"0\" KERNING=\"0\"><I></I></FONT></P>"))
        << "a break in a format of its own shows as empty tags; nothing follows the last break";
    QString html = swf::writeHtmlText(parse("<textformat leading='3'><li><font color='#ABCDEF'>x</font></li></textformat>a"));
    EXPECT_TRUE(html.startsWith(QStringLiteral("<TEXTFORMAT LEADING=\"3\"><LI><FONT FACE=\"Times New Roman\" SIZE=\"12\" "
                                               "COLOR=\"#ABCDEF\"")))
        << qPrintable(html);
    EXPECT_TRUE(html.endsWith(QStringLiteral(">a</FONT></P>"))) << qPrintable(html);
}

TEST(SwfHtmlText, FontChangesNestAndCloseBackToAnEnclosingFont)
{
    FormattedText t;
    TextFormat base = TextFormat::defaults();
    TextFormat noto = base;
    noto.font = QStringLiteral("Noto Sans");
    TextFormat notoBig = noto;
    notoBig.size = 14;
    TextFormat big = base;
    big.size = 14;
    t.append("hell", base);
    t.append("o bo", noto);
    t.append("ld", notoBig);
    t.append("ed wo", big);
    t.append("rld", base);
    EXPECT_EQ(swf::writeHtmlText(t),
              QStringLiteral("<P ALIGN=\"LEFT\"><FONT FACE=\"Times New Roman\" SIZE=\"12\" COLOR=\"#000000\" "
                             "LETTERSPACING=\"0\" KERNING=\"0\">hell<FONT FACE=\"Noto Sans\">o bo<FONT SIZE=\"14\">ld"
                             "<FONT FACE=\"Times New Roman\">ed wo</FONT></FONT></FONT>rld</FONT></P>"));
}

TEST(SwfHtmlText, WrittenHtmlReadsBackToTheSameText)
{
    FormattedText original = parse("<p align='right'><font face='Verdana' size='20' color='#102030'>one <b>two</b> "
                                   "<i><u>three</u></i> &lt;4&gt;</font></p><textformat indent='4' "
                                   "tabstops='8,16'><p><a href='u' target='t'>link</a></p></textformat><li>item</li>");
    FormattedText again = parse(swf::writeHtmlText(original));
    EXPECT_EQ(again.text(), original.text());
    for (int i = 0; i < original.size(); ++i) {
        if (original.text()[i] != QLatin1Char('\r')) { // breaks take the format around them
            EXPECT_EQ(again.formatAt(i), original.formatAt(i)) << "character " << i;
        }
    }
}

TEST(SwfHtmlText, StyleRulesFormatParagraphsLinksAndClassesBeforeTheTagsOwnAttributes)
{
    TextFormat blue, red, right, small;
    blue.color = 0x0000FF;
    red.color = 0xFF0000;
    right.align = TextAlign::Right;
    small.size = 8;
    const swf::StyleRules rules{{"p", right}, {"a", blue}, {"font", blue}, {"span", blue}, {".red", red}, {".small", small}};
    auto parseStyled = [&](const char *html) { return swf::parseHtmlText(html, TextFormat::defaults(), false, true, &rules); };

    FormattedText t = parseStyled("<p>a</p><p align=\"center\">b</p><a>c</a><font>d</font><span>e</span>");
    ASSERT_EQ(t.text(), QStringLiteral("a\rb\rcde"));
    EXPECT_EQ(t.formatAt(0).align, TextAlign::Right) << "a rule by the tag's name";
    EXPECT_EQ(t.formatAt(2).align, TextAlign::Center) << "the tag's attribute comes last";
    EXPECT_EQ(t.formatAt(4).color, 0x0000FFu);
    EXPECT_EQ(t.formatAt(5).color, 0u) << "fonts and spans take no rule by name";
    EXPECT_EQ(t.formatAt(6).color, 0u);

    t = parseStyled("<span class=\"RED\">a<span class=\"small\">b</span></span><a class=\"red\">c</a>"
                    "<span class=\" red\">d</span><span class=\"red small\">e</span><font class=\"red\">f</font>");
    ASSERT_EQ(t.text(), QStringLiteral("abcdef"));
    EXPECT_EQ(t.formatAt(0).color, 0xFF0000u) << "classes in any case";
    EXPECT_EQ(t.formatAt(1).color, 0xFF0000u) << "an inner class keeps what it does not set";
    EXPECT_EQ(t.formatAt(1).size, 8);
    EXPECT_EQ(t.formatAt(2).color, 0xFF0000u) << "a class beats the rule by name";
    for (int i : {3, 4, 5})
        EXPECT_EQ(t.formatAt(i).color, 0u) << "no class rule for character " << i;
    EXPECT_EQ(parse("<p class=\"red\">a</p>").formatAt(0).color, 0u) << "no rules without a style sheet";
}
