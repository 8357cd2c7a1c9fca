#include "view3d/View3DHolder.h"

View3DHolder::~View3DHolder()
{
    if (!window_)
        return;
    if (!window_->Unloaded())
        window_->close();
    if (window_ && window_->SpinDepth() == 0)
        delete window_.data();
}

frm3D& View3DHolder::Show(SharedState& state, GlobalVariables& settings)
{
    if (frm3D* open = Window()) {
        open->show();
        open->raise();
        open->activateWindow();
        return *open;
    }
    // A window unloaded during a spin that something still holds goes away on its own.
    window_ = new frm3D(state, settings, kept);
    window_->Form_Load();
    window_->show();
    return *window_;
}

frm3D* View3DHolder::Window() const
{
    return window_ && !window_->Unloaded() ? window_.data() : nullptr;
}
