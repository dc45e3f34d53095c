#pragma once
// An editor inspector in its Qt host, and the guard every inspector event
// handler of the windows runs under.
#include <functional>

#include <QString>

#include "inspector/rmInspector.h"
#include "platform/qt/ControlWidget.h"

class QWidget;

// A new inspector with the split bar at `splitPos`, hosted in a widget named
// `objectName` (the inspector's form name), which owns it.
platform::qt::ControlWidget* NewInspectorWidget(const QString& objectName, int splitPos, QWidget* parent);

inline TrmInspector& InspectorOf(platform::qt::ControlWidget& widget)
{
    return widget.HostedAs<TrmInspector>();
}

// Runs an event handler's work; an exception it raises is shown in a message
// box over the active window (`owner` when none is) and goes no further, so the
// control that fired the event stays sound.
void RunGuarded(QWidget* owner, const std::function<void()>& work);

// Takes the inspector's change and long-text handlers away from a window that goes:
// the focus leaving the inspector then commits its open editor, which must not reach
// a window half destroyed.
void DetachInspectorHandlers(TrmInspector& inspector);
