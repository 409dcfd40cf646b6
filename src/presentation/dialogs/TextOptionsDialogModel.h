#pragma once
// The option dialogs of the text forms: "OPTIONS FOR TEXT FORM" of the
// measurement view's text form (157) and of the hex, ASCII and text views
// (178, with the left margin), and "OPTIONS FOR TEXT FORM OF STATISTICAL
// LEVELS" (201, with the level panel). Also the three blocks the table and
// graph option dialogs share: the pitch pair, the element pair and the level panel.

#include "presentation/dialogs/NumberFields.h"

#include <array>
#include <string>
#include <vector>

namespace orlu {

struct AppSettings;

/// The display and print pitch boxes (1..48 each).
struct PitchPair {
    static constexpr int kDisplayId = 1049;
    static constexpr int kPrintId = 1055;
    unsigned displayPitch = 0;
    unsigned printPitch = 0;
};

/// "single element" and "multi element": a pair that behaves as radio buttons.
struct ElementPair {
    int singleCheck = 0;
    int multiCheck = 0;
    int choiceEnabled = 0;
    void ClickSingle() { singleCheck = 1, multiCheck = 0; }
    void ClickMulti() { singleCheck = 0, multiCheck = 1; }
};

/// The ten statistical levels with "ascending order" and "use all statistical levels".
struct LevelPanel {
    static constexpr std::array<int, 10> kLevelIds = {1079, 1082, 1083, 1084, 1085, 1086, 1087, 1088, 1089, 1090};
    static constexpr std::array<unsigned, 10> kDefaultLevels = {1, 10, 20, 30, 40, 50, 60, 70, 80, 90};
    std::array<unsigned, 10> levels{};
    std::array<unsigned, 10> savedLevels{};
    int useAll = 0;
    int useAllEnabled = 0;
    int levelsEnabled = 0;
    int ascendingEnabled = 0;

    /// Presets the levels and keeps them for Cancel.
    void SetLevelsKeepBackup(const std::array<unsigned, 10>& values) { levels = savedLevels = values; }
    bool LevelsAreaEnabled() const { return levelsEnabled && !useAll; }
    bool AscendingButtonEnabled() const { return ascendingEnabled && LevelsAreaEnabled(); }
    void SortAscending();
};

enum class TextOptionsDialog { TextForm = 157, TextPitch = 178, StatLevels = 201 };

class TextOptionsDialogModel {
public:
    static constexpr int kLeftMarginId = 1079;

    TextOptionsDialogModel(TextOptionsDialog kind, const AppSettings& settings) : m_Kind(kind), m_Settings(settings) {}

    TextOptionsDialog Kind() const { return m_Kind; }
    const char* Caption() const;
    bool HasElementPair() const { return m_Kind != TextOptionsDialog::TextPitch; }
    bool HasLevelPanel() const { return m_Kind == TextOptionsDialog::StatLevels; }

    /// The boxes read on OK, in the order they are read.
    std::vector<NumberField> Fields() const;
    /// The boxes' texts as the members give them.
    std::vector<std::string> FieldTexts() const;
    /// OK: reads the boxes; an error keeps the dialog open on its box.
    std::optional<FieldError> Exchange(const std::vector<std::string>& texts);

    /// "Defaults": the program's pitch (and margin) defaults, single element, the default levels.
    void Defaults();
    /// "ascending order": the boxes are read, sorted and shown again.
    std::optional<FieldError> Ascending(const std::vector<std::string>& texts);
    /// Cancel: only the levels go back to what the opener set.
    void Cancel() { levelPanel.levels = levelPanel.savedLevels; }

    PitchPair pitch;
    unsigned leftMargin = 0;
    ElementPair elements;
    LevelPanel levelPanel;

private:
    /// The members behind Fields(), in the same order.
    template <class Self>
    static auto MembersOf(Self& self);

    TextOptionsDialog m_Kind;
    const AppSettings& m_Settings;
};

/// "PITCH SIZE & GRAPHICS ZOOM DEFAULTS": starts from the program settings
/// and gives its four values back to them whatever button closed it.
class PitchZoomDefaultsModel {
public:
    explicit PitchZoomDefaultsModel(const AppSettings& settings);

    static std::vector<NumberField> Fields();
    std::vector<std::string> FieldTexts() const;
    std::optional<FieldError> Exchange(const std::vector<std::string>& texts);
    /// "Prog. defaults": 16, 24, 4 and no margin (not the values of a missing settings file).
    void ProgramDefaults();
    void StoreInto(AppSettings& settings) const;

    unsigned displayPitch = 0;
    unsigned textMargin = 0;
    unsigned printPitch = 0;
    unsigned printZoom = 0;
};

} // namespace orlu
