#pragma once
// The program's short fixed messages with an OK button: the instrument-mode
// boxes and the name and separator checks. Core code shows them through the
// user-interaction port; the desktop program has a dialog class for each.

#include "platform/UserInteraction.h"

#include <string_view>

namespace orlu {

struct FixedTextDialogInfo {
    int resourceId;
    std::string_view caption;
    std::string_view text;
    MessageIcon icon;
};

inline constexpr FixedTextDialogInfo kUnitModeMeterText{268, "UNIT MODE", "ORLU 505  -  METER  mode",
                                                        MessageIcon::Information};
inline constexpr FixedTextDialogInfo kUnitModeAnalyzerText{136, "UNIT MODE", "ORLU 505  -  ANALYZER  mode",
                                                           MessageIcon::Information};
inline constexpr FixedTextDialogInfo kUnitModeUnknownText{
    137, "UNIT MODE", "ORLU unit  -  Unknown mode \nConnection or transmission error !!!", MessageIcon::Stop};
inline constexpr FixedTextDialogInfo kNameInvalidText{
    212, "OrluPC message", "The name is invalid or empty!\nPlease repeat your choice.", MessageIcon::Warning};
inline constexpr FixedTextDialogInfo kNameNotFoundText{
    143, "OrluPC message", "File name not found!\nCheck if the name is valid.", MessageIcon::Warning};
inline constexpr FixedTextDialogInfo kNameNotUniqueText{
    146, "OrluPC message", "The name is not unique!\nPlease select it from the list box.", MessageIcon::Warning};
inline constexpr FixedTextDialogInfo kCommaConflictText{
    152, "OrluPC message",
    "Comma used as 'decimal point'\nand colums separator!\nOne of these must be changed.", MessageIcon::Warning};

/// A user interaction with dialogs of its own for the fixed texts.
class FixedTextPort {
public:
    virtual ~FixedTextPort() = default;
    virtual void ShowFixedText(const FixedTextDialogInfo& info) = 0;
};

/// Shows a fixed-text message: in its own dialog where the interaction has
/// one, else as a message box with its caption, text, icon and OK button.
inline void ShowFixedText(UserInteraction& ui, const FixedTextDialogInfo& info)
{
    if (auto* port = dynamic_cast<FixedTextPort*>(&ui))
        port->ShowFixedText(info);
    else
        ui.ShowMessage(info.text, info.caption, MessageButtons::Ok, info.icon, MessageResult::Ok);
}

} // namespace orlu
