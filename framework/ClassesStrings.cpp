// String lists: the abstract TStrings and the TStringList that stores them.
#include "Classes.h"

#include <algorithm>

void TStrings::CheckIndex(int Index, int Limit) const
{
    if (Index < 0 || Index >= Limit)
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

void TStrings::SetStrings(int Index, const String &S)
{
    TObject *object = Objects(Index);
    Delete(Index);
    InsertObject(Index, S, object);
}

void TStrings::InsertObject(int Index, const String &S, TObject *AObject)
{
    Insert(Index, S);
    SetObjects(Index, AObject);
}

int TStrings::Add(const String &S)
{
    const int index = Count();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const String &S, TObject *AObject)
{
    const int index = Add(S);
    SetObjects(index, AObject);
    return index;
}

void TStrings::AddStrings(const TStrings *Strings)
{
    BeginUpdate();
    for (int i = 0; i < Strings->Count(); ++i)
        AddObject(Strings->Strings(i), Strings->Objects(i));
    EndUpdate();
}

int TStrings::IndexOf(const String &S) const
{
    for (int i = 0; i < Count(); ++i)
        if (Strings(i).compare(S, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int TStrings::IndexOfObject(const TObject *AObject) const
{
    for (int i = 0; i < Count(); ++i)
        if (Objects(i) == AObject)
            return i;
    return -1;
}

void TStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex)
        return;
    CheckIndex(CurIndex, Count());
    CheckIndex(NewIndex, Count());
    BeginUpdate();
    const String s = Strings(CurIndex);
    TObject *object = Objects(CurIndex);
    Delete(CurIndex);
    InsertObject(NewIndex, s, object);
    EndUpdate();
}

void TStrings::Exchange(int Index1, int Index2)
{
    CheckIndex(Index1, Count());
    CheckIndex(Index2, Count());
    BeginUpdate();
    const String s1 = Strings(Index1);
    TObject *o1 = Objects(Index1);
    SetStrings(Index1, Strings(Index2));
    SetObjects(Index1, Objects(Index2));
    SetStrings(Index2, s1);
    SetObjects(Index2, o1);
    EndUpdate();
}

String TStrings::Text() const
{
    String text;
    for (int i = 0; i < Count(); ++i)
        text += Strings(i) + QLatin1String("\r\n");
    return text;
}

void TStrings::SetText(const String &Value)
{
    BeginUpdate();
    Clear();
    String line;
    for (int i = 0; i < Value.size(); ++i) {
        const QChar c = Value[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            Add(line);
            line.clear();
            if (c == QLatin1Char('\r') && i + 1 < Value.size() && Value[i + 1] == QLatin1Char('\n'))
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.isEmpty())
        Add(line);
    EndUpdate();
}

String TStrings::CommaText() const
{
    QStringList parts;
    for (int i = 0; i < Count(); ++i) {
        String s = Strings(i);
        const bool quote = s.isEmpty() || std::any_of(s.begin(), s.end(), [](QChar c) {
            return c.unicode() <= ' ' || c == QLatin1Char(',') || c == QLatin1Char('"');
        });
        if (quote)
            s = QLatin1Char('"') + s.replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
        parts << s;
    }
    return parts.join(QLatin1Char(','));
}

void TStrings::SetCommaText(const String &Value)
{
    BeginUpdate();
    Clear();
    int i = 0;
    const int n = Value.size();
    auto skipBlanks = [&] {
        while (i < n && Value[i].unicode() <= ' ')
            ++i;
    };
    skipBlanks();
    while (i < n) {
        String item;
        if (Value[i] == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (Value[i] == QLatin1Char('"')) {
                    if (i + 1 < n && Value[i + 1] == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += Value[i++];
            }
        } else {
            while (i < n && Value[i].unicode() > ' ' && Value[i] != QLatin1Char(','))
                item += Value[i++];
        }
        Add(item);
        skipBlanks();
        if (i < n && Value[i] == QLatin1Char(',')) {
            ++i;
            skipBlanks();
            if (i == n)
                Add(String());
        }
    }
    EndUpdate();
}

void TStrings::BeginUpdate()
{
    if (FUpdateCount++ == 0)
        SetUpdateState(true);
}

void TStrings::EndUpdate()
{
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::Assign(const TPersistent *Source)
{
    if (auto source = dynamic_cast<const TStrings *>(Source)) {
        BeginUpdate();
        Clear();
        AddStrings(source);
        EndUpdate();
        return;
    }
    TPersistent::Assign(Source);
}

String TStringList::Strings(int Index) const
{
    CheckIndex(Index, Count());
    return FItems[Index].S;
}

void TStringList::SetStrings(int Index, const String &S)
{
    if (FSorted)
        throw EListError(QStringLiteral("Operation not allowed on sorted list"));
    CheckIndex(Index, Count());
    Changing();
    FItems[Index].S = S;
    Changed();
}

TObject *TStringList::Objects(int Index) const
{
    CheckIndex(Index, Count());
    return FItems[Index].Object;
}

void TStringList::SetObjects(int Index, TObject *AObject)
{
    CheckIndex(Index, Count());
    Changing();
    FItems[Index].Object = AObject;
    Changed();
}

int TStringList::Add(const String &S)
{
    if (!FSorted) {
        InsertItem(Count(), S, nullptr);
        return Count() - 1;
    }
    int index;
    if (Find(S, index)) {
        if (FDuplicates == dupIgnore)
            return index;
        if (FDuplicates == dupError)
            throw EListError(QStringLiteral("String list does not allow duplicates"));
    }
    InsertItem(index, S, nullptr);
    return index;
}

void TStringList::Insert(int Index, const String &S)
{
    InsertObject(Index, S, nullptr);
}

void TStringList::InsertObject(int Index, const String &S, TObject *AObject)
{
    if (FSorted) {
        if (Index != Count())
            throw EListError(QStringLiteral("Operation not allowed on sorted list"));
        const int at = Add(S);
        FItems[at].Object = AObject;
        return;
    }
    CheckIndex(Index, Count() + 1);
    InsertItem(Index, S, AObject);
}

void TStringList::InsertItem(int Index, const String &S, TObject *AObject)
{
    Changing();
    FItems.insert(FItems.begin() + Index, Item{S, AObject});
    Changed();
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index, Count());
    Changing();
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TStringList::Clear()
{
    if (FItems.empty())
        return;
    Changing();
    FItems.clear();
    Changed();
}

int TStringList::Compare(const String &A, const String &B) const
{
    return A.compare(B, FCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

int TStringList::IndexOf(const String &S) const
{
    if (!FSorted) {
        for (int i = 0; i < Count(); ++i)
            if (Compare(FItems[i].S, S) == 0)
                return i;
        return -1;
    }
    int index;
    return Find(S, index) ? index : -1;
}

bool TStringList::Find(const String &S, int &Index) const
{
    int low = 0;
    int high = Count() - 1;
    bool found = false;
    while (low <= high) {
        const int mid = (low + high) / 2;
        const int c = Compare(FItems[mid].S, S);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) {
                found = true;
                if (FDuplicates != dupAccept)
                    low = mid;
            }
        }
    }
    Index = low;
    return found;
}

void TStringList::Sort()
{
    Changing();
    std::stable_sort(FItems.begin(), FItems.end(), [this](const Item &a, const Item &b) { return Compare(a.S, b.S) < 0; });
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (Value == FSorted)
        return;
    if (Value)
        Sort();
    FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (Value == FCaseSensitive)
        return;
    FCaseSensitive = Value;
    if (FSorted)
        Sort();
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating)
        Changing();
    else
        Changed();
}

void TStringList::Changing()
{
    if (UpdateCount() == 0 && OnChanging)
        OnChanging(this);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0 && OnChange)
        OnChange(this);
}
