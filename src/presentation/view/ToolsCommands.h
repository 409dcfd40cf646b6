#pragma once
// The Tools commands of a measurement view and the Edit commands that act on
// it: which are enabled and checked, and what each does to the view. Most
// flip a switch and have the whole view built again; what reaches the
// document (the reverberation computation, clearing its records, the
// application's autoscaling) goes through ToolsEffects. The impulse marks
// are the Buffer's commands (BufferBlockCommands).

#include "presentation/CommandTarget.h"
#include "presentation/view/ExtractCommands.h"
#include "presentation/view/MeasurementViewState.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orlu {

class UserInteraction;

inline constexpr int kSmoothingCommand = 32826;
inline constexpr int kReverbTimeCommand = 32827;
inline constexpr int kClearRtDataCommand = 32828;
inline constexpr int kUploadCommand = 32830;
inline constexpr int kPlotTotalCommand = 32831;
inline constexpr int kPhaseSpectrumCommand = 32841;
inline constexpr int kFftWindowFirstCommand = 32842; ///< USER; + k - 1 for window code k
inline constexpr int kFftWindowLastCommand = 32848;  ///< Welch
inline constexpr int kInsertHeaderCommand = 32856;
inline constexpr int kSelectAllCommand = 32863;
inline constexpr int kShowPeaksCommand = 32875;
inline constexpr int kGraphAutoScaleCommand = 32878;
inline constexpr int kTonalityCommand = 32883;
inline constexpr int kPasteCommand = 57637;

/// ShownViewKind that makes the next build repaint the whole view.
inline constexpr std::uint8_t kRepaintWholeView = 254;

inline constexpr const char* kPasteRefusal =
    "Can't paste into the ORLU file !\n\n'Paste' icon is activated only to show\nthat the Clipboard buffer may be "
    "nonempty.";
inline constexpr const char* kClearRtQuestion =
    "All reverberation time computing data are to be cleared.\nAre you sure? ";

/// What the Tools rules need to know of the document and the application.
struct ToolsDocumentFacts {
    int bandKind = 0;              ///< 1 time samples, 2 FFT lines, 3 1/1, 4 1/3 octaves
    bool hasProfiles = false;      ///< records of band profiles to evaluate
    bool tonality = false;         ///< holds a short-band TONALITY spectrum
    bool impulseAnalysis = false;  ///< the document offers an impulse analysis
    std::uint8_t fileKind = 0;     ///< FileKindCode
    std::uint8_t deviceSelector = 0;
    int firmware = 0;              ///< the version word, x 100
    bool setupBlock = false;       ///< the document carries a setup block
    bool embeddedBuffer = false;
    bool multifileSubfile = false; ///< a Multifile whose form shows one of its files
    bool clipboardText = false;
    bool clipboardBitmap = false;
    bool graphAutoScale = false;   ///< the application's switch
    /// The RT band range of 1/1 (index 0) and 1/3 octaves (1): first band, last band, total band.
    std::array<std::array<std::int32_t, 3>, 2> rtRange{};
};

/// Whether a file of this kind, from this instrument and firmware, can go back to it.
bool CanUpload(std::uint8_t deviceSelector, std::uint8_t fileKind, int firmware, bool setupBlock);

/// Enabled and checked state of a Tools or Edit command of the view; none for other commands.
std::optional<CommandUi> ToolsCommandState(int id, const MeasurementViewState& view, const ToolsDocumentFacts& doc);

/// What a Tools command asks of the document, the application and the window.
class ToolsEffects {
public:
    virtual ~ToolsEffects() = default;
    /// Builds the current form again.
    virtual void Rebuild() = 0;
    virtual void ComputeReverbTime(bool smoothed, int bandKind) = 0;
    /// Clears the RT records of the band kind (3: 1/1 octaves, else 1/3).
    virtual void ClearRtRecords(int bandKind) = 0;
    virtual void ToggleGraphAutoScale() = 0;
    virtual void Invalidate() = 0;
    /// Places the graph cursor on a record; jump: as the cursor keys do, else quietly.
    virtual void MoveCursor(std::int32_t record, bool jump) = 0;
};

/// The two Tools submenus greyed as a whole.
enum class ToolsSubmenu : std::uint8_t { FftWindow, ImpulseAnalysis };
/// The FFT window submenu serves the spectra, the impulse analysis the Buffer of a document that offers it.
bool ToolsSubmenuEnabled(ToolsSubmenu submenu, const MeasurementViewState& view, const ToolsDocumentFacts& doc);

/// Runs a Tools or Edit command; false when it is not one of them or is disabled.
/// The upload, the two extracts and the impulse marks are not run here.
bool RunToolsCommand(int id, MeasurementViewState& view, const ToolsDocumentFacts& doc, UserInteraction& ui,
                     ToolsEffects& effects);

/// Switches the reverberation procedure on or off, placing the band cursor on the RT range.
void SwitchReverbProcedure(MeasurementViewState& view, const ToolsDocumentFacts& doc);

/// The document changed: the view drops its mark and builds its form again.
void OnDocumentUpdate(MeasurementViewState& view, ToolsEffects& effects);

} // namespace orlu
