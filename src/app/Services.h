#pragma once

// The windows talk to the desktop only through these small interfaces, so tests can drive every window
// offscreen with scripted answers and a fixed clock.

#include "print/CouponLayout.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>
#include <vector>

namespace selektor {

class DialogService {
public:
    virtual ~DialogService() = default;
    // A modal message box with one sentence and an OK button.
    virtual void information(const QString& text) = 0;
    // A modal box for a failed file or conversion operation, with the standard text.
    virtual void error(const QString& text) = 0;
    // A Yes/No confirmation question; true on Yes.
    virtual bool question(const QString& text) = 0;
    // A Yes/No warning question (those that protect a running generator); true on Yes.
    virtual bool warningQuestion(const QString& text) = 0;
    // Standard save dialog with a filter, a default extension and an overwrite prompt; empty on cancel.
    virtual QString saveFileName(const QString& filter, const QString& defaultSuffix) = 0;
    // Standard open dialog with a filter and a default extension for a name typed without one; empty on
    // cancel.
    virtual QString openFileName(const QString& filter, const QString& defaultSuffix) = 0;
};

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Starts a wave file and returns at once; a missing or unplayable file is silently ignored.
    virtual void play(const QString& fileName) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The current UTC time of day; its milliseconds since midnight seed the random source.
    virtual QTime timeOfDay() const = 0;
    virtual QDate today() const = 0;
};

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    // Opens the help file on its contents page; a missing file is reported by the viewer, never fatal.
    virtual void showContents(const QString& helpFile) = 0;
};

class PrinterService {
public:
    virtual ~PrinterService() = default;
    // Shows the pages as they will come out and lets the player print them, on a printer or into a PDF
    // file, one job with a page each; every text has its top-left corner at its point, in the printer's
    // own pixels. Nothing when the pages went out or the player cancelled; the text of the failure when
    // the printer refused.
    virtual std::optional<QString> print(const std::vector<PrintPage>& pages) = 0;
};

// Everything a window needs from the desktop, owned by whoever builds the windows.
struct Services {
    DialogService& dialogs;
    SoundPlayer& sound;
    Clock& clock;
    HelpViewer& help;
    PrinterService& printer;
};

} // namespace selektor
