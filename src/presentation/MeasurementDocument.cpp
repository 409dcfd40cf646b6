#include "presentation/MeasurementDocument.h"

#include "presentation/CommandTable.h"

namespace orlu {
namespace {

constexpr int kIdVibrationUnitsMetric = 32917;
constexpr int kIdVibrationUnitsNonmetric = 32918;

} // namespace

MeasurementDocument::MeasurementDocument(AppContext& app) : DocumentHandle(std::make_unique<CTmDoc>(app))
{
    OnCommand(kIdFileSave, [this] { Doc().OnFileSave(); });
    OnCommand(kIdFileSaveAs, [this] { Doc().OnFileSaveAs(); });
    // The units change every level the views show.
    OnCommand(kIdVibrationUnitsMetric, [this] {
        Doc().OnVibrationUnitsMetric();
        UpdateAllViews();
    });
    OnUpdate(kIdVibrationUnitsMetric, [this](CommandUi& ui) { ui.checked = Doc().IsVibrationUnitsMetricChecked(); });
    OnCommand(kIdVibrationUnitsNonmetric, [this] {
        Doc().OnVibrationUnitsNonmetric();
        UpdateAllViews();
    });
    OnUpdate(kIdVibrationUnitsNonmetric,
             [this](CommandUi& ui) { ui.checked = Doc().IsVibrationUnitsNonmetricChecked(); });
}

} // namespace orlu
