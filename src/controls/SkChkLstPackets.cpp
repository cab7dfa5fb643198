// The check list's packets and its text line format.
#include "SkChkLstPackets.h"

#include "SkChkLst.h"
#include "SysUtils.h"

namespace {
// An image index in its field: at least three digits, or "---" for none.
QString IndexField(std::int32_t Index) {
    if (Index == -1) return QStringLiteral("---");
    return Index < 0 ? QStringLiteral("-%1").arg(-qint64(Index), 3, 10, QLatin1Char('0'))
                     : QStringLiteral("%1").arg(Index, 3, 10, QLatin1Char('0'));
}

// Character Position (1-based) of the line, or a NUL when the line is shorter.
QChar CharAt(const QString& Line, int Position) {
    return Position <= Line.size() ? Line.at(Position - 1) : QChar();
}

std::uint8_t StateDigit(QChar C) {
    if (C < QLatin1Char('0') || C > QLatin1Char('9')) return 0;
    return std::uint8_t(std::min(C.unicode() - '0', 2));
}

// The three characters from Position (1-based) as an image index, -1 when they are not a number.
std::int32_t IndexAt(const QString& Line, int Position) {
    bool ok = false;
    const int value = Line.mid(Position - 1, 3).toInt(&ok);
    return ok ? value : -1;
}
}  // namespace

QString CheckListLine(const TPacket& Packet, const QString& Text) {
    return QStringLiteral("@%1 %2 %3 %4 ")
               .arg(Packet.Enabled ? 1 : 0)
               .arg(int(Packet.State))
               .arg(IndexField(Packet.ImageIndex), IndexField(Packet.DisabledIndex)) +
           Text;
}

QString CheckListLineFault(const TPacket& Packet, const QString& Text) {
    if (Text.contains(QLatin1Char('\n')) || Text.contains(QLatin1Char('\r')))
        return QStringLiteral("文字含有换行符");
    if (Packet.State > cbGrayed) return QStringLiteral("勾选状态 %1 无效").arg(int(Packet.State));
    for (const std::int32_t index : {Packet.ImageIndex, Packet.DisabledIndex})
        if (index < -1 || index > 999) return QStringLiteral("图像序号 %1 超出 -1..999").arg(index);
    return QString();
}

bool IsPacketLine(const QString& Line) {
    return Line.startsWith(QLatin1Char('@')) || Line.startsWith(QLatin1Char('&'));
}

TCheckListLine ReadCheckListLine(const QString& Line) {
    TCheckListLine result;
    if (!IsPacketLine(Line)) {
        result.Text = Line;
        return result;
    }
    result.Packet.Enabled = CharAt(Line, 2) == QLatin1Char('1') ? 1 : 0;
    result.Packet.State = StateDigit(CharAt(Line, 4));
    if (Line.startsWith(QLatin1Char('&'))) {
        result.Text = Line.mid(5);
        return result;
    }
    result.Packet.ImageIndex = IndexAt(Line, 6);
    result.Packet.DisabledIndex = IndexAt(Line, 10);
    result.Text = Line.mid(13);
    return result;
}

QStringList SplitStreamLines(const QByteArray& Bytes) {
    QStringList lines;
    qsizetype start = 0;
    while (start < Bytes.size()) {
        qsizetype end = Bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? Bytes.size() : end + 1;
        if (end < 0) end = Bytes.size();
        if (end > start && Bytes.at(end - 1) == '\r') --end;
        lines << QString::fromUtf8(Bytes.constData() + start, end - start);
        start = next;
    }
    return lines;
}

TCheckBoxState NextToggleState(TCheckBoxState State, bool AllowGrayed) {
    switch (State) {
    case cbUnchecked:
        return AllowGrayed ? cbGrayed : cbChecked;
    case cbChecked:
        return cbUnchecked;
    default:
        return cbChecked;
    }
}

// Packet string list ---------------------------------------------------------------------------------

TPacketStringList::TPacketStringList() {
    OnSplice = [this](int Index, int Removed, int Inserted) {
        FPackets.erase(FPackets.begin() + Index, FPackets.begin() + Index + Removed);
        FPackets.insert(FPackets.begin() + Index, Inserted, TPacket{});
    };
}

TPacket& TPacketStringList::Packets(int Index) {
    if (Index < 0 || Index >= int(FPackets.size()))
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
    return FPackets[Index];
}

const TPacket& TPacketStringList::Packets(int Index) const {
    return const_cast<TPacketStringList*>(this)->Packets(Index);
}

int TPacketStringList::AddWithPacket(const QString& S, TObject* Object, const TPacket& Packet) {
    const int index = AddObject(S, Object);
    FPackets[index] = Packet;
    return index;
}

void TPacketStringList::AddStrings(const TSkCheckListStrings* Strings) {
    for (int i = 0; i < Strings->Count(); ++i)
        AddWithPacket(Strings->Strings(i), Strings->Objects(i), Strings->Packets(i));
}
