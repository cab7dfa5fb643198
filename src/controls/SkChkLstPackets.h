// What a check list keeps beside each item's text: its packet (check state, enabled flag and two
// image indexes), the text line that saves an item with its packet, and a string list that carries
// packets with its lines.
#pragma once

#include "Classes.h"
#include "StdCtrls.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

class TSkCheckListStrings;

struct TPacket {
    std::uint8_t State = 0;    // 0 unchecked, 1 checked, 2 grayed
    std::uint8_t Enabled = 1;  // 0: the item cannot be toggled and is drawn greyed
    std::int32_t ImageIndex = -1;
    std::int32_t DisabledIndex = -1;
    bool operator==(const TPacket&) const = default;
};

// The check-list line format: "@" enabled, state, image index, disabled image index (each index "%.3d"
// or "---" for -1), text, the fields separated by one blank; "@1 1 005 --- abc". No line end.
QString CheckListLine(const TPacket& Packet, const QString& Text);
// Why an item cannot stand as one such line and be read back as it is (a line break in its text, a
// state beyond grayed, an image index outside -1..999, which would shift the later fields); empty
// when it can.
QString CheckListLineFault(const TPacket& Packet, const QString& Text);

// One line read back. "@" lines carry all fields at fixed places, older "&" lines ("&1 2 abc") only
// the enabled flag and the state; any other line is plain text with a default packet. A state digit
// beyond grayed is taken as grayed; fields missing from a short line keep their defaults.
struct TCheckListLine {
    TPacket Packet;
    QString Text;
};
TCheckListLine ReadCheckListLine(const QString& Line);
// True for the lines that carry a packet ("@..." and "&...").
bool IsPacketLine(const QString& Line);

// A stream's bytes as UTF-8 lines, split at LF with a CR before it dropped; a last line end adds no
// empty line, and no bytes give no lines.
QStringList SplitStreamLines(const QByteArray& Bytes);

// The next state of a toggled item: unchecked goes to grayed when allowed, else to checked; checked
// goes to unchecked; grayed to checked.
TCheckBoxState NextToggleState(TCheckBoxState State, bool AllowGrayed);

// A string list whose every line carries a packet: added lines get a default one, and the packets
// follow every insertion and removal.
class TPacketStringList : public TStringList {
public:
    TPacketStringList();
    TPacketStringList(const TPacketStringList&) = delete;
    TPacketStringList& operator=(const TPacketStringList&) = delete;

    // The packet of line Index; EListError outside the lines.
    TPacket& Packets(int Index);
    const TPacket& Packets(int Index) const;
    // Appends a line with its object and packet.
    int AddWithPacket(const QString& S, TObject* Object, const TPacket& Packet);
    // Appends every item of a check list with its object and packet.
    void AddStrings(const TSkCheckListStrings* Strings);

private:
    std::vector<TPacket> FPackets;
};
