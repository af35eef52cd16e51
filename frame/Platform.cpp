#include "frame/Platform.h"

#include "core/FileOps.h"

#include <cstdlib>

namespace {
Platform* gPlatform = nullptr;
}

Platform& platform()
{
    if (!gPlatform)
        std::abort(); // the program sets its platform before any window exists
    return *gPlatform;
}

void SetPlatform(Platform* p)
{
    gPlatform = p;
}

void Platform::FileCopy(const QString& source, const QString& target)
{
    FileOps::CopyAtomic(source, target);
}

void Platform::SetAttr(const QString& path, int attributes)
{
    FileOps::SetAttr(path, attributes);
}
