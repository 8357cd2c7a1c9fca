#pragma once
// The GL drawing surface that fills the 3D window: it hands its context's arrival and its
// paints to the window, which owns the scene and the camera.

#include <QOpenGLWidget>

class frm3D;

class Surface3D : public QOpenGLWidget
{
public:
    explicit Surface3D(frm3D* owner);

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;

private:
    frm3D* owner_;
};
