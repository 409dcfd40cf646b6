#pragma once
// The settings sections of the Header information report: what the
// instrument was set to between the identity lines and the channel columns.
// Each section is a table of rows (label, value, the condition that shows
// it); model and firmware differences are row conditions.

#include "reports/text/HeaderReportWriter.h"

#include <string>
#include <string_view>
#include <vector>

namespace orlu {

/// The settings of a four-channel document (ORLU 545 and 590).
void WriteFourChannelSettings(HeaderReportWriter& out);

/// The settings of the other current-family models. False for an RT60
/// document: its report of the sub-file ends with this section.
bool WriteOtherModelSettings(HeaderReportWriter& out);

/// A title cut into lines of at most 40 characters at blanks (a word longer
/// than 40 is cut after 32), leading blanks of each line skipped.
std::vector<std::string> WrapTitleText(std::string_view title);

/// The text of a trigger source code: the default source, a band label, or a total.
std::string TriggerSourceText(const HeaderReportWriter& out, std::uint16_t source, bool microphoneTrigger);

} // namespace orlu
