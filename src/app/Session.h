#pragma once

// The running program's model with the desktop around it. Every click that changes the model goes
// through here: the command runs, every view is told to show the new state, and the command's messages,
// sound and questions reach the player through the desktop services. No exception leaves a command:
// whatever fails is shown in a message box, and the program goes on.

#include "app/Services.h"
#include "model/ApplicationModel.h"

#include <QObject>
#include <exception>
#include <new>

namespace selektor {

// The model's questions asked with the program's message boxes and file dialogs.
class DialogQuestions : public Questions {
public:
    explicit DialogQuestions(DialogService& dialogs) : m_dialogs(dialogs) {}
    bool confirm(const std::string& question) override;
    bool warn(const std::string& question) override;
    std::string saveFileName(const FileDialog& dialog) override;
    std::string openFileName(const FileDialog& dialog) override;

private:
    DialogService& m_dialogs;
};

class Session : public QObject {
    Q_OBJECT
public:
    Session(ApplicationModel& model, Services& services);

    ApplicationModel& model() { return m_model; }
    const ApplicationModel& model() const { return m_model; }
    Services& services() { return m_services; }
    Questions& questions() { return m_questions; }

    // Runs a command that returns an Outcome.
    template <class Command> void run(Command&& command) {
        Outcome outcome;
        try {
            outcome = command();
        } catch (const std::bad_alloc&) {
            outcome.fail("Out of memory");
        } catch (const std::exception& error) {
            outcome.fail(error.what());
        }
        outcome.stage = m_model.stage();
        finish(outcome);
    }
    // A command that works long without handing back: the views show the busy state first.
    template <class Command> void runBusy(Command&& command) {
        emit busy();
        run(std::forward<Command>(command));
    }
    // A change with nothing to tell but the new state (a click on the filter tabs, a line chosen).
    void changed();

signals:
    // The model changed: show it. The outcome says what else the screen has to do.
    void updated(const selektor::Outcome& outcome);
    // A long command is about to start: show the busy state now, the window will not paint until it ends.
    void busy();

private:
    void finish(const Outcome& outcome);

    ApplicationModel& m_model;
    Services& m_services;
    DialogQuestions m_questions;
};

} // namespace selektor
