// ろてぬ: section IDs from player names, and the Mag feeding timer.

#include "about/Lib_VarsionForm.h"
#include "app/DisplayPlatform.h"
#include "app/MagSim.h"
#include "app/Main.h"
#include "feedtimer/Timer.h"
#include "look/DesktopLook.h"
#include "look/ExecutableIcon.h"
#include "look/ThemeIcon.h"
#include "platform/DisplayCheck.h"
#include "platform/RealPlatform.h"
#include "widgets/Application.h"

int main(int argc, char** argv) {
    const bool platformChosen = rotenu::ChooseDisplayPlatform();
    if (!rotenu::DisplayOpens(argc, argv))
        return 1;
    rotenu::Application application(argc, argv);
    // Our choice of X11 is not passed on to the browser that the version dialog starts.
    if (platformChosen)
        qunsetenv("QT_QPA_PLATFORM");
    // The main window's closing ends the program, whatever other window is still open.
    application.setQuitOnLastWindowClosed(false);
    rotenu::PrepareDesktopLook(application);
    // Every window shows the program's own icon.
    application.setWindowIcon(rotenu::ExecutableIcon());

    rotenu::RealPlatform platform;
    application.setErrorReport(platform.services().messageBox);

    // Created hidden, in this order; all live until the program ends.
    rotenu::TForm1 Form1(platform.services());
    rotenu::TForm2 Form2(platform.services());
    rotenu::TForm3 Form3;
    rotenu::TVarDigForm VarDigForm(platform.services());
    Form1.attachWindows(&Form2, &VarDigForm);
    QObject::connect(&Form1, &rotenu::TForm1::closed, &application, &QCoreApplication::quit);

    // The desktop theme's icon, where it has one, once the main window is up.
    rotenu::TakeThemeIconAfterFirstPaint(Form1);
    Form1.show();
    return application.exec();
}
