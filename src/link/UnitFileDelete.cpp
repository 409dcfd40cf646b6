#include "link/UnitFileDelete.h"

#include "platform/FixedTextDialogs.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace orlu {
namespace {

constexpr std::string_view kTitle = "Deleting from the ORLU unit";
constexpr std::string_view kText = "ORLU files: -->";
constexpr std::string_view kCannotDelete = "Can't delete ORLU file: ";
constexpr std::string_view kCurrentFileLetters = "adeflortuxy";

enum class Status { Finished, SendFailed, NoAcknowledgement, Cancelled, NoLink };

struct Letter505 {
    char letter;
    std::string_view kind;
    std::uint8_t type;
};
constexpr Letter505 kDeletable505[] = {{'m', "1,", 1}, {'a', "2,", 2}, {'s', "3,", 3}, {'u', "4,", 4}};

/// Families with no delete command: the ORLU 515 with text display and the MONITOR.
bool FamilyDeletes(std::uint8_t selector)
{
    return selector != 2 && selector != kSelectorMonitor;
}

/// Whether the instrument's ';' comes within the allowed bytes; a byte that
/// does not come counts as a 0 (the attempts are kept), and Cancel is seen
/// between them.
Status ReadAcknowledgement(LinkTransport& link, int attempts, TransferProgress& progress)
{
    for (int i = 0; i < attempts; ++i) {
        if (progress.Requested() != TransferRequest::None)
            return Status::Cancelled;
        std::uint8_t byte = 0;
        if (!link.ReadByte(byte))
            byte = 0;
        if (byte == ';')
            return Status::Finished;
    }
    return Status::NoAcknowledgement;
}

std::string Summary(bool ok, int erased, int omitted)
{
    char text[160];
    std::snprintf(text, sizeof text, "%s\n%d file(s) ereased\n%d file(s) omitted",
                  ok ? "Delete operation finished O.K." : "Delete operation stopped.", erased, omitted);
    return text;
}

} // namespace

std::optional<DeleteCommand> BuildDeleteCommand(std::uint8_t selector, char letter, const std::string& name)
{
    if (selector == kSelector505) {
        for (const Letter505& row : kDeletable505)
            if (row.letter == letter)
                return DeleteCommand{";#5," + std::string(row.kind) + name + ";", true, row.type};
        return std::nullopt;
    }
    if (!FamilyDeletes(selector))
        return std::nullopt;
    if (letter == 's')
        return DeleteCommand{";#7,DS," + name + ";", false, 0};
    if (kCurrentFileLetters.find(letter) != std::string_view::npos)
        return DeleteCommand{";#7,DF," + name + ";", false, 1};
    return std::nullopt;
}

int DeleteUnitFiles(UnitLink& link, CUnitDirectory& directory, TransferProgress& progress)
{
    UserInteraction& ui = link.Ui();
    const std::vector<std::string>& lines = directory.GetSelectedNames();
    const std::vector<std::size_t>& entries = directory.GetSelectedEntries();
    const int n = static_cast<int>(lines.size());
    char question[160];
    std::snprintf(question, sizeof question,
                  "You are about to delete %d file(s) from the ORLU unit RAM-disk.\nDo you confirm?", n);
    if (ui.ShowMessage(question, kMessageCaption, MessageButtons::YesNo, MessageIcon::Question,
                       MessageResult::No) != MessageResult::Yes)
        return n;

    progress.Begin(std::string(kTitle));
    progress.SetText(std::string(kText));
    int erased = 0;
    Status status = Status::Finished;
    std::unique_ptr<LinkTransport> transport;
    // Families without a delete command send nothing: every file is omitted.
    if (FamilyDeletes(link.deviceSelector)) {
        transport = link.OpenPort(ComProfile::Commands);
        if (!transport)
            status = Status::NoLink;
    }
    std::vector<std::uint8_t>& flags = directory.GetSelectionFlags();
    for (int i = 0; transport && i < n && status == Status::Finished; ++i) {
        const std::size_t line = static_cast<std::size_t>(i);
        const bool known = line < entries.size() && entries[line] < directory.GetEntryCount();
        const std::string name = known ? directory.GetEntry(entries[line]).Name() : UnitLineName(lines[line]);
        const char letter = UnitLineLetter(lines[static_cast<std::size_t>(i)]);
        const std::optional<DeleteCommand> command = BuildDeleteCommand(link.deviceSelector, letter, name);
        if (!command) {
            if (letter == 'b' || (letter == 'k' && link.deviceSelector == kSelector505))
                ui.ShowMessage(std::string(kCannotDelete) + name, kMessageCaption);
            else
                continue;
        } else {
            static constexpr std::array<std::uint8_t, 4> kZeroSize{};
            if (!transport->SendText(command->text) || (command->sizeWord && !transport->SendBytes(kZeroSize))) {
                status = Status::SendFailed;
                break;
            }
            transport->StartRead();
            status = ReadAcknowledgement(*transport, link.timing.deleteAnswerBytes, progress);
            if (status != Status::Finished)
                break;
            // The USB reader of each reply is stopped and the device reset.
            if (transport->IsUsb())
                transport->Release();
            // The line's own entry is the erased one; without it, the first
            // entry of that name and type.
            const std::size_t k = i < static_cast<int>(entries.size()) ? entries[static_cast<std::size_t>(i)] : flags.size();
            if (k < directory.GetEntryCount() && directory.GetEntry(k).Name() == name) {
                directory.GetEntry(k).SetSize(0);
            } else if (const int found = directory.FindEntry(name, command->entryType); found >= 0) {
                directory.GetEntry(static_cast<std::size_t>(found)).SetSize(0);
            }
            ++erased;
            if (k < flags.size())
                flags[k] = 0;
        }
        if (progress.SetProgress(n, i) != TransferRequest::None)
            status = Status::Cancelled;
    }
    if (transport)
        transport->Release();
    progress.End();

    if (status == Status::SendFailed || status == Status::NoAcknowledgement)
        ShowFixedText(ui, kUnitModeUnknownText);
    const bool ok = status == Status::Finished;
    ui.ShowMessage(Summary(ok, erased, n - erased), kMessageCaption, MessageButtons::Ok,
                   ok ? MessageIcon::Information : MessageIcon::Warning);
    return n - erased;
}

} // namespace orlu
