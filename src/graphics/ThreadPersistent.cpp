#include "graphics/ThreadPersistent.h"

#include "platform/Control.h"
#include "platform/Picture.h"

#include <mutex>

namespace {

// Guards every object's lock counter.
std::mutex& CounterLock()
{
    static std::mutex counterLock;
    return counterLock;
}

} // namespace

void TThreadPersistent::Lock()
{
    {
        std::lock_guard<std::mutex> guard(CounterLock());
        ++FLockCount;
    }
    FLock.lock();
}

void TThreadPersistent::Unlock()
{
    FLock.unlock();
    std::lock_guard<std::mutex> guard(CounterLock());
    --FLockCount;
}

int32_t TThreadPersistent::LockCount() const
{
    std::lock_guard<std::mutex> guard(CounterLock());
    return FLockCount;
}

void TThreadPersistent::EndUpdate()
{
    if (FUpdateCount < 1)
        throw EAssertionFailed("Unpaired TThreadPersistent.EndUpdate");
    --FUpdateCount;
}

void TThreadPersistent::Changed()
{
    if (FUpdateCount == 0 && OnChange)
        OnChange(this);
}

bool TCustomMap::SetSize(int32_t NewWidth, int32_t NewHeight)
{
    if (NewWidth < 0)
        NewWidth = 0;
    if (NewHeight < 0)
        NewHeight = 0;
    if (NewWidth == FWidth && NewHeight == FHeight)
        return false;
    ChangeSize(FWidth, FHeight, NewWidth, NewHeight);
    Changed();
    Resized();
    return true;
}

void TCustomMap::SetSizeFrom(const TObject* Source)
{
    if (Source == nullptr) {
        SetSize(0, 0);
    } else if (const auto* map = dynamic_cast<const TCustomMap*>(Source)) {
        SetSize(map->Width(), map->Height());
    } else if (const auto* picture = dynamic_cast<const platform::TPicture*>(Source)) {
        SetSize(picture->Width(), picture->Height());
    } else if (const auto* control = dynamic_cast<const platform::Control*>(Source)) {
        SetSize(control->Width(), control->Height());
    } else {
        throw Exception(std::string("Can't set size from '") + Source->ClassName() + "'");
    }
}

void TCustomMap::Resized()
{
    if (OnResize)
        OnResize(this);
}

void TCustomMap::ChangeSize(int32_t& Width, int32_t& Height, int32_t NewWidth, int32_t NewHeight)
{
    Width = NewWidth;
    Height = NewHeight;
}
