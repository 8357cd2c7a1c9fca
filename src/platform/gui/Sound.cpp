#include "platform/gui/Sound.h"

#include "platform/AppPaths.h"
#include "platform/Hook.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>
#include <map>
#include <memory>

namespace platform {

namespace {

Hook<SoundHook>& hook()
{
    static Hook<SoundHook> h;
    return h;
}

// One effect per file: switching between the few machine sounds then needs no reload.
struct Player
{
    std::map<QString, std::unique_ptr<QSoundEffect>> effects;
    QSoundEffect* current = nullptr;

    void stop()
    {
        if (current)
            current->stop();
        current = nullptr;
    }
};

Player*& playerSlot()
{
    static Player* p = nullptr;
    return p;
}

void releasePlayer()
{
    delete playerSlot();
    playerSlot() = nullptr;
}

Player* player()
{
    Player*& p = playerSlot();
    if (!p && QCoreApplication::instance()) {
        p = new Player;
        // The effects must go while the application object that their audio needs still lives.
        qAddPostRoutine(releasePlayer);
    }
    return p;
}

} // namespace

void PlaySound(const QString& file)
{
    if (const SoundHook& h = hook().get()) {
        h(file);
        return;
    }
    Player* p = player();
    if (!p)
        return;
    p->stop();
    const QString path = ResolvePath(file);
    if (!QFileInfo(path).isFile() || QMediaDevices::audioOutputs().isEmpty())
        return;
    auto& effect = p->effects[path];
    if (!effect) {
        effect = std::make_unique<QSoundEffect>();
        effect->setSource(QUrl::fromLocalFile(path));
        effect->setLoopCount(QSoundEffect::Infinite);
    }
    if (effect->status() == QSoundEffect::Error)
        return;
    effect->play();
    p->current = effect.get();
}

void StopSound()
{
    if (Player* p = player())
        p->stop();
}

SoundHook SetSoundHook(SoundHook h)
{
    return hook().exchange(std::move(h));
}

} // namespace platform
