#include "presentation/view/FormRenderers.h"

namespace orlu {

void FormRendererRegistry::Register(std::uint8_t viewKind, FormChoice form, FormRenderer renderer)
{
    m_Renderers[{viewKind, form}] = std::move(renderer);
}

const FormRenderer* FormRendererRegistry::Find(std::uint8_t viewKind, FormChoice form) const
{
    auto it = m_Renderers.find({viewKind, form});
    return it == m_Renderers.end() ? nullptr : &it->second;
}

void RegisterReportRenderers(FormRendererRegistry& registry)
{
    // Each report adds its rows here as it is built: Main results, Header
    // info, statistics, time histories, spectra and the MONITOR reports in
    // text and table form, and the settings text, hex dump and ASCII form.
    (void)registry;
}

} // namespace orlu
