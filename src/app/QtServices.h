#pragma once

#include "app/Services.h"

#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>

class QSoundEffect;

namespace selektor {

class HelpWindow;

// Message boxes and file dialogs from Qt, parented to the window that asks.
class QtDialogService : public DialogService {
public:
    void setParentWidget(QWidget* parent) { m_parent = parent; }
    void information(const QString& text) override;
    void error(const QString& text) override;
    bool question(const QString& text) override;
    bool warningQuestion(const QString& text) override;
    QString saveFileName(const QString& filter, const QString& defaultSuffix) override;
    QString openFileName(const QString& filter, const QString& defaultSuffix) override;

private:
    QPointer<QWidget> m_parent;
};

class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    void play(const QString& fileName) override;

private:
    QSoundEffect* m_effect;
};

class SystemClock : public Clock {
public:
    QTime timeOfDay() const override { return QDateTime::currentDateTimeUtc().time(); }
    QDate today() const override { return QDate::currentDate(); }
};

// The print preview of the pages, from which the player prints them on a printer or into a PDF file.
class QtPrinterService : public PrinterService {
public:
    void setParentWidget(QWidget* parent) { m_parent = parent; }
    std::optional<QString> print(const std::vector<PrintPage>& pages) override;

private:
    QPointer<QWidget> m_parent;
};

// The program's own help window, opened on the contents page of the help file. A help file that cannot
// be opened is said in a message box, or to whatever a test puts in its place.
class QtHelpViewer : public HelpViewer {
public:
    using Complaint = std::function<void(const QString& text)>;
    explicit QtHelpViewer(Complaint complain = {});
    ~QtHelpViewer() override;
    void showContents(const QString& helpFile) override;
    // The window, made when the help is first opened.
    HelpWindow* window() const { return m_window.get(); }

private:
    Complaint m_complain;
    std::unique_ptr<HelpWindow> m_window;
};

} // namespace selektor
