// A check list's items in a form's text: the texts, then one list per packet field.
#include "SkChkLst.h"

#include "Streaming.h"

#include <algorithm>

namespace {
// Reads a list of values into the items 0, 1, 2 ... in order; values beyond the items are skipped.
template <class TRead> void ReadItemList(TReader& Reader, int Count, TRead read) {
    Reader.ReadListBegin();
    for (int i = 0; !Reader.EndOfList(); ++i)
        if (i < Count)
            read(i);
        else
            Reader.SkipValue();
    Reader.ReadListEnd();
}
}  // namespace

void TSkCheckList::DefineProperties(TFiler* Filer) {
    TSkCustomTabbedListBox::DefineProperties(Filer);
    const bool hasItems = FItems->Count() > 0;
    auto packets = [this](TReader& reader, auto assign) {
        ReadItemList(reader, FItems->Count(), [&](int i) { assign(FItems->Packets(i), reader); });
    };
    Filer->DefineProperty(
        QStringLiteral("Items.Strings"),
        [this](TReader& reader) {
            QStringList texts;
            reader.ReadListBegin();
            while (!reader.EndOfList())
                texts << reader.ReadString();
            reader.ReadListEnd();
            FItems->BeginUpdate();
            FItems->Clear();
            for (const QString& text : texts)
                FItems->Add(text);
            FItems->EndUpdate();
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < FItems->Count(); ++i)
                writer.WriteString(FItems->Strings(i));
            writer.WriteListEnd();
        },
        hasItems);
    Filer->DefineProperty(
        QStringLiteral("Items.ItemEnabled"),
        [packets](TReader& reader) {
            packets(reader, [](TPacket& p, TReader& r) { p.Enabled = r.ReadBoolean() ? 1 : 0; });
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < FItems->Count(); ++i)
                writer.WriteBoolean(FItems->Packets(i).Enabled != 0);
            writer.WriteListEnd();
        },
        hasItems);
    auto integers = [this](auto field) {
        return [this, field](TWriter& writer) {
            writer.WriteListBegin();
            for (int i = 0; i < FItems->Count(); ++i)
                writer.WriteInteger(field(FItems->Packets(i)));
            writer.WriteListEnd();
        };
    };
    Filer->DefineProperty(
        QStringLiteral("Items.ItemState"),
        [packets](TReader& reader) {
            packets(reader, [](TPacket& p, TReader& r) {
                p.State = std::uint8_t(std::clamp<std::int64_t>(r.ReadInteger(), 0, 2));
            });
        },
        integers([](const TPacket& p) { return int(p.State); }), hasItems);
    Filer->DefineProperty(
        QStringLiteral("Items.ItemImageIndex"),
        [packets](TReader& reader) {
            packets(reader, [](TPacket& p, TReader& r) { p.ImageIndex = r.ReadInt32(); });
        },
        integers([](const TPacket& p) { return p.ImageIndex; }), hasItems && FImages);
    Filer->DefineProperty(
        QStringLiteral("Items.ItemDisabledIndex"),
        [packets](TReader& reader) {
            packets(reader, [](TPacket& p, TReader& r) { p.DisabledIndex = r.ReadInt32(); });
        },
        integers([](const TPacket& p) { return p.DisabledIndex; }), hasItems && FImages);
}
