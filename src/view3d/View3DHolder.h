#pragma once
// How the main window holds the 3D window: made and loaded on first use, shown without an
// owner and not modal, brought forward when open, gone once unloaded; what the window keeps
// across openings lives here.

#include "view3d/frm3D.h"

#include <QPointer>

class View3DHolder
{
public:
    View3DHolder() = default;
    ~View3DHolder();
    View3DHolder(const View3DHolder&) = delete;
    View3DHolder& operator=(const View3DHolder&) = delete;

    // Loads and shows the window, or brings the open one forward.
    frm3D& Show(SharedState& state, GlobalVariables& settings);
    // The loaded window, nullptr when there is none.
    frm3D* Window() const;

    frm3DKept kept;

private:
    QPointer<frm3D> window_;
};
