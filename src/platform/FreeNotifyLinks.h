#pragma once
// The links by which objects hear that another object goes (controls, layers). Each object
// holds one FreeNotifyLinks: the objects to tell when it goes, and those it asked to be
// told of, so that whichever of two goes first leaves no link to itself behind. The owner
// calls OwnerGoing before it goes.
#include <algorithm>
#include <vector>

namespace platform {

template <class T>
class FreeNotifyLinks {
public:
    explicit FreeNotifyLinks(T& owner) : owner_(owner) {}
    FreeNotifyLinks(const FreeNotifyLinks&) = delete;
    FreeNotifyLinks& operator=(const FreeNotifyLinks&) = delete;

    // The owner of `watcher` is told when this owner goes; once however often it asks.
    void Add(FreeNotifyLinks& watcher)
    {
        if (std::find(told_.begin(), told_.end(), &watcher) != told_.end())
            return;
        told_.push_back(&watcher);
        watcher.watching_.push_back(this);
    }
    void Remove(FreeNotifyLinks& watcher)
    {
        if (EraseOnce(told_, &watcher))
            EraseOnce(watcher.watching_, this);
    }
    // The owners to be told, in the order they asked.
    template <class Visit>
    void ForEachWatcher(Visit visit) const
    {
        for (FreeNotifyLinks* watcher : std::vector(told_)) // a visit may change the list
            visit(watcher->owner_);
    }
    // The owner goes: each watcher's owner, newest first, is told through tell(owner);
    // then the owner leaves the lists of those it watched, so nobody tells it later.
    template <class Tell>
    void OwnerGoing(Tell tell)
    {
        while (!told_.empty()) {
            FreeNotifyLinks* watcher = told_.back();
            told_.pop_back();
            EraseOnce(watcher->watching_, this);
            tell(watcher->owner_); // may add or remove other links
        }
        for (FreeNotifyLinks* watched : watching_)
            EraseOnce(watched->told_, this);
        watching_.clear();
    }

private:
    static bool EraseOnce(std::vector<FreeNotifyLinks*>& list, FreeNotifyLinks* links)
    {
        const auto it = std::find(list.begin(), list.end(), links);
        if (it == list.end())
            return false;
        list.erase(it);
        return true;
    }

    T& owner_;
    std::vector<FreeNotifyLinks*> told_;    // told when the owner goes
    std::vector<FreeNotifyLinks*> watching_; // links whose told_ hold this one
};

} // namespace platform
