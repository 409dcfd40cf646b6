#pragma once
// The measurement document of the binary and DOS templates with its
// commands: Save, Save As and the vibration units.

#include "document/CTmDoc.h"
#include "presentation/DocumentHandle.h"

namespace orlu {

class MeasurementDocument : public DocumentHandle {
public:
    explicit MeasurementDocument(AppContext& app);

    CTmDoc& Doc() const { return static_cast<CTmDoc&>(Document()); }
};

} // namespace orlu
