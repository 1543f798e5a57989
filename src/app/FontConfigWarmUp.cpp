#include "app/FontConfigWarmUp.h"

#include <fontconfig/fontconfig.h>

namespace app {

FontConfigWarmUp::FontConfigWarmUp()
    // The framework's own FcInit then finds the configuration loaded.
    : m_thread([] { FcInit(); })
{
}

void FontConfigWarmUp::finish()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace app
