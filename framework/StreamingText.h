#pragma once
// The text of a window description as a tree, before it meets any class:
//
//   object Form1: TForm1
//     Caption = 'Wordlark'#13'next line' + 'continued'
//     Font.Style = [fsBold]
//     Items.Strings = ('one' 'two')
//     Picture.Data = {0754426974...}
//     Sections = <item Width = 35 end>
//     object Panel1: TPanel
//       Left = -3
//     end
//   end
//
// ParseDescription turns text into the tree and FormatDescription turns a
// tree back into text; what the values mean is the reader's business.
#include "SysUtils.h"

#include <QByteArray>
#include <QStringList>
#include <vector>

struct TPropNode;
using TPropList = std::vector<TPropNode>;

// One property value as written.
struct TValue {
    enum TKind { vaInteger, vaIdent, vaString, vaSet, vaList, vaBinary, vaCollection };
    TKind Kind = vaInteger;
    // vaInteger; Hex marks a "$" number, which is a 32-bit pattern.
    qint64 Int = 0;
    bool Hex = false;
    // vaIdent and vaString.
    String Str;
    // vaSet: the element names.
    QStringList Names;
    // vaList: the values between the parentheses.
    std::vector<TValue> Items;
    // vaBinary.
    QByteArray Data;
    // vaCollection: each item's properties.
    std::vector<TPropList> CollectionItems;

    static TValue Integer(qint64 Value, bool Hex = false);
    static TValue Ident(const String &Name);
    static TValue Boolean(bool Value);
    static TValue Text(const String &Value);
    static TValue Set(const QStringList &Names);
    static TValue Binary(const QByteArray &Data);
};

struct TPropNode {
    String Name; // dotted for sub-properties ("Font.Height")
    TValue Value;
    int Line = 0;
};

struct TObjectNode {
    String Name;
    String ClassName;
    int Line = 0;
    TPropList Props;
    std::vector<TObjectNode> Children;
};

// A description that is not well-formed text, or one that does not fit the
// classes it names. Message says where: the description, the line and, when
// there is one, the component and property.
class EFilerError : public Exception {
public:
    EFilerError(const String &FileName, int Line, const String &PropPath, const String &Detail);
    String FileName;
    int Line;
    // "Label1.Font.Height", "Label1" or empty.
    String PropPath;
    String Detail;
};

// Bad text: a stray character, a truncated block, bad hex digits.
class EParserError : public EFilerError {
public:
    using EFilerError::EFilerError;
};

// Good text that the classes refuse: an unknown class or property, a value
// of the wrong kind, a corrupt binary block.
class EReadError : public EFilerError {
public:
    using EFilerError::EFilerError;
};

// Parses UTF-8 text; FileName only names the description in errors.
TObjectNode ParseDescription(const QByteArray &Text, const String &FileName);
// The text of a tree, two blanks of indent per level, one property a line.
QByteArray FormatDescription(const TObjectNode &Root);
