// The stored form of a tree's nodes, as window descriptions hold it.
#include "Codepage.h"
#include "ComCtrlsTreeView.h"

#include <QtEndian>

namespace {
// Length, image, selected, state, overlay, data, child count, caption length byte.
constexpr int FixedRecordBytes = 7 * 4 + 1;
// The record length counts the bytes after itself except the caption.
constexpr int RecordLengthBase = FixedRecordBytes - 4;

class TNodeReader {
public:
    explicit TNodeReader(const QByteArray &Data) : FData(Data) {}

    qsizetype Pos() const { return FPos; }
    qsizetype Remaining() const { return FData.size() - FPos; }

    int32_t ReadInt(const char *What)
    {
        Need(4, What);
        const int32_t value = qFromLittleEndian<int32_t>(FData.constData() + FPos);
        FPos += 4;
        return value;
    }

    QByteArray ReadBytes(int Count, const char *What)
    {
        Need(Count, What);
        const QByteArray bytes = FData.mid(FPos, Count);
        FPos += Count;
        return bytes;
    }

private:
    void Need(qsizetype Count, const char *What) const
    {
        if (Remaining() < Count)
            throw ETreeViewError(QStringLiteral("Tree node data is truncated: %1 at byte %2 is missing").arg(QLatin1String(What)).arg(FPos));
    }

    const QByteArray &FData;
    qsizetype FPos = 0;
};

// A child count larger than the bytes left could hold is corrupt; checking
// it first keeps a damaged block from announcing millions of nodes.
void CheckCount(int32_t Count, const TNodeReader &Reader, qsizetype At)
{
    if (Count < 0)
        throw ETreeViewError(QStringLiteral("Tree node data gives a negative node count (%1) at byte %2").arg(Count).arg(At));
    if (Count > Reader.Remaining() / FixedRecordBytes)
        throw ETreeViewError(QStringLiteral("Tree node data announces %1 nodes at byte %2, more than the %3 bytes left can hold")
                                 .arg(Count)
                                 .arg(At)
                                 .arg(Reader.Remaining()));
}

void WriteInt(QByteArray &Out, int32_t Value)
{
    char bytes[4];
    qToLittleEndian<int32_t>(Value, bytes);
    Out.append(bytes, 4);
}
}

void TTreeNodes::ReadData(const QByteArray &Data)
{
    TNodeReader reader(Data);
    std::vector<std::unique_ptr<TTreeNode>> roots;
    // Parents whose children are still being read, with how many are left.
    struct Pending {
        TTreeNode *Node;
        int32_t Left;
    };
    const qsizetype countAt = reader.Pos();
    const int32_t topCount = reader.ReadInt("the node count");
    CheckCount(topCount, reader, countAt);
    std::vector<Pending> stack{{nullptr, topCount}};
    while (!stack.empty()) {
        if (stack.back().Left == 0) {
            stack.pop_back();
            continue;
        }
        --stack.back().Left;
        TTreeNode *parent = stack.back().Node;
        const qsizetype at = reader.Pos();
        const int32_t length = reader.ReadInt("a record length");
        auto node = std::make_unique<TTreeNode>(this, parent);
        node->FImageIndex = reader.ReadInt("an image index");
        node->FSelectedIndex = reader.ReadInt("a selected index");
        node->FStateIndex = reader.ReadInt("a state index");
        node->FOverlayIndex = reader.ReadInt("an overlay index");
        node->FData = reinterpret_cast<void *>(static_cast<intptr_t>(reader.ReadInt("the node data")));
        const qsizetype childrenAt = reader.Pos();
        const int32_t children = reader.ReadInt("a child count");
        const int captionLength = static_cast<unsigned char>(reader.ReadBytes(1, "a caption length").at(0));
        if (length != RecordLengthBase + captionLength)
            throw ETreeViewError(QStringLiteral("Tree node record at byte %1 gives its length as %2, but its caption makes it %3")
                                     .arg(at)
                                     .arg(length)
                                     .arg(RecordLengthBase + captionLength));
        const qsizetype captionAt = reader.Pos();
        const QByteArray caption = reader.ReadBytes(captionLength, "a caption");
        try {
            node->FText = GbkToString(caption);
        } catch (const EEncodingError &e) {
            throw ETreeViewError(QStringLiteral("Tree node caption at byte %1 is not GBK text: %2").arg(captionAt).arg(e.Message));
        }
        CheckCount(children, reader, childrenAt);
        TTreeNode *added = node.get();
        (parent ? parent->FChildren : roots).push_back(std::move(node));
        stack.push_back({added, children});
    }
    if (reader.Remaining() > 0)
        throw ETreeViewError(QStringLiteral("Tree node data has %1 bytes after its last node").arg(reader.Remaining()));

    BeginUpdate();
    Clear();
    FRoots = std::move(roots);
    for (int i = 0; i < TopCount(); ++i)
        FOwner->CreateItem(FRoots[i].get(), i);
    EndUpdate();
}

QByteArray TTreeNodes::WriteData() const
{
    QByteArray out;
    WriteInt(out, TopCount());
    std::vector<const TTreeNode *> stack;
    for (auto it = FRoots.rbegin(); it != FRoots.rend(); ++it)
        stack.push_back(it->get());
    while (!stack.empty()) {
        const TTreeNode *node = stack.back();
        stack.pop_back();
        QByteArray caption;
        try {
            caption = StringToGbk(node->FText);
        } catch (const EEncodingError &e) {
            throw ETreeViewError(QStringLiteral("Tree node \"%1\" cannot be stored: %2").arg(node->FText, e.Message));
        }
        if (caption.size() > 255)
            throw ETreeViewError(QStringLiteral("Tree node \"%1\" cannot be stored: its caption is longer than 255 bytes").arg(node->FText));
        WriteInt(out, RecordLengthBase + static_cast<int32_t>(caption.size()));
        WriteInt(out, node->FImageIndex);
        WriteInt(out, node->FSelectedIndex);
        WriteInt(out, node->FStateIndex);
        WriteInt(out, node->FOverlayIndex);
        WriteInt(out, static_cast<int32_t>(reinterpret_cast<intptr_t>(node->FData)));
        WriteInt(out, node->Count());
        out.append(static_cast<char>(caption.size()));
        out.append(caption);
        for (auto it = node->FChildren.rbegin(); it != node->FChildren.rend(); ++it)
            stack.push_back(it->get());
    }
    return out;
}
