#include "mainwindow/frmMain.h"
#include "platform/SettingsStore.h"
#include "platform/widgets/MessageBoxDialog.h"
#include "settings/GlobalVariables.h"
#include "shared/SharedState.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    platform::InstallDialogMessageBoxes();

    SharedState state;
    GlobalVariables settings;
    platform::QSettingsStore store;

    frmMain window(state, settings, store);
    window.Form_Load();
    window.show();
    return app.exec();
}
