#include "simulation/Graphics.h"

#include "settings/GlobalVariables.h"
#include "shared/SharedState.h"
#include "simulation/SimulationHost.h"

Graphics::Graphics(SharedState& state, const GlobalVariables& settings, SimulationHost& host)
    : state_(state), settings_(settings), host_(host)
{
}

Graphics::~Graphics() = default;

// Drawing comes with the simulation picture; until then the buffer only has its size.
void Graphics::InitSimBuffer()
{
    simDC_ = QImage(qMax<int>(1, state_.SimWidth), qMax<int>(1, state_.SimHeight), QImage::Format_RGB32);
    simDC_.fill(Qt::white);
}
void Graphics::ClearSimBuffer() {}
void Graphics::RefreshSimulation() { host_.ShowSimulation(simDC_, simDC_.rect()); }
void Graphics::LoadTool(const QString&, qint16, qint16) {}
void Graphics::DeleteToolDCs() {}
void Graphics::DrawBillet(qint16, qint16) {}
void Graphics::DrawTool(qint16, qint16) {}
void Graphics::DrawEdgeEffect() {}
void Graphics::AnimateToolPath() {}
void Graphics::PlaySound(const QString&) {}
