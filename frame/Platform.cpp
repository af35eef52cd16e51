#include "frame/Platform.h"

#include <cstdlib>

namespace {

Platform gPlatform;

template <class Seam> Seam& installed(Seam* seam)
{
    if (!seam)
        std::abort(); // the program sets its platform before any window exists
    return *seam;
}

} // namespace

void SetPlatform(const Platform& platform)
{
    gPlatform = platform;
}

Dialogs& dialogs()
{
    return installed(gPlatform.dialogs);
}

Session& session()
{
    return installed(gPlatform.session);
}

Environment& environment()
{
    return installed(gPlatform.environment);
}

Devices& devices()
{
    return installed(gPlatform.devices);
}
