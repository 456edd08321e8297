#include "app/Session.h"

#include "app/ModelText.h"

#include <QDir>
#include <QFile>

namespace selektor {

namespace {

// File names travel to the model as the bytes the file system knows them by.
std::string toModelPath(const QString& fileName) {
    return QFile::encodeName(fileName).toStdString();
}

} // namespace

bool DialogQuestions::confirm(const std::string& question) {
    return m_dialogs.question(fromModel(question));
}

bool DialogQuestions::warn(const std::string& question) {
    return m_dialogs.warningQuestion(fromModel(question));
}

std::string DialogQuestions::saveFileName(const FileDialog& dialog) {
    return toModelPath(m_dialogs.saveFileName(fromModel(dialog.filter), fromModel(dialog.defaultSuffix)));
}

std::string DialogQuestions::openFileName(const FileDialog& dialog) {
    return toModelPath(m_dialogs.openFileName(fromModel(dialog.filter), fromModel(dialog.defaultSuffix)));
}

Session::Session(ApplicationModel& model, Services& services)
    : m_model(model), m_services(services), m_questions(services.dialogs) {}

void Session::changed() {
    Outcome outcome;
    outcome.stage = m_model.stage();
    emit updated(outcome);
}

void Session::finish(const Outcome& outcome) {
    // The views first: a message box runs the event loop, and the player should see the new state
    // behind it.
    emit updated(outcome);
    for (const Message& message : outcome.messages) {
        if (message.kind == Message::Kind::Error)
            m_services.dialogs.error(fromModel(message.text));
        else
            m_services.dialogs.information(fromModel(message.text));
    }
    if (!outcome.printJob.empty()) {
        if (const std::optional<QString> failure = m_services.printer.print(outcome.printJob))
            m_services.dialogs.error(*failure);
    }
    if (outcome.playSixHitSound) {
        // The file dialogs may have moved the current directory; the sound lies beside the program's files.
        QDir::setCurrent(QFile::decodeName(m_model.dataDirectory().c_str()));
        m_services.sound.play(QStringLiteral("Stn.wav"));
    }
}

} // namespace selektor
