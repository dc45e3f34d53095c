#pragma once
// The lock and change-notification protocol of the graphics objects, and a sized object.
#include "platform/Persistent.h"

#include <cstdint>
#include <mutex>

// An object that can be locked by a thread and that reports its changes through
// OnChange, except while an update is open (BeginUpdate without its EndUpdate). Closing
// an update does not report on its own: the code that opened it calls Changed.
class TThreadPersistent : public TPersistent {
public:
    TThreadPersistent() = default;
    TThreadPersistent(const TThreadPersistent&) = delete;
    TThreadPersistent& operator=(const TThreadPersistent&) = delete;
    const char* ClassName() const override { return "TThreadPersistent"; }

    // The lock is re-entrant for the thread that holds it.
    void Lock();
    void Unlock();
    int32_t LockCount() const;

    void BeginUpdate() { ++FUpdateCount; }
    // Raises EAssertionFailed when no update is open; the count is then unchanged.
    void EndUpdate();
    int32_t UpdateCount() const { return FUpdateCount; }

    // Calls OnChange with this object when no update is open.
    virtual void Changed();

    TNotifyEvent OnChange;

private:
    std::recursive_mutex FLock;
    int32_t FLockCount = 0; // changed only under the process-wide counter lock
    int32_t FUpdateCount = 0;
};

// A TThreadPersistent with a width and a height. Sizes change only through the virtual
// SetSize, which reports OnChange before OnResize.
class TCustomMap : public TThreadPersistent {
public:
    const char* ClassName() const override { return "TCustomMap"; }

    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    void SetWidth(int32_t NewWidth) { SetSize(NewWidth, FHeight); }
    void SetHeight(int32_t NewHeight) { SetSize(FWidth, NewHeight); }

    // Negative sizes become 0. Returns false, and reports nothing, when the size stays.
    virtual bool SetSize(int32_t NewWidth, int32_t NewHeight);
    // Takes the size of Source: another map, a platform picture, a platform control, or
    // 0 x 0 for none; any other class raises.
    void SetSizeFrom(const TObject* Source);

    virtual void Delete() { SetSize(0, 0); }
    virtual bool Empty() const { return FWidth == 0 || FHeight == 0; }
    virtual void Resized();

    TNotifyEvent OnResize;

protected:
    // Stores the new size; the bitmap also replaces its pixels here.
    virtual void ChangeSize(int32_t& Width, int32_t& Height, int32_t NewWidth, int32_t NewHeight);

private:
    int32_t FHeight = 0;
    int32_t FWidth = 0;
};
