#include "app/Program.h"

#include <QFile>

namespace selektor {

Program::Program(Services& services, const QString& dataDirectory)
    : m_model(QFile::encodeName(dataDirectory).toStdString(),
              static_cast<std::uint32_t>(services.clock.timeOfDay().msecsSinceStartOfDay())),
      m_session(m_model, services), m_chartWindow(m_session), m_drawHistoryWindow(m_session),
      m_analysisWindow(m_session), m_optimizationWindow(m_session),
      m_mainWindow(m_session,
                   {m_chartWindow, m_drawHistoryWindow, m_aboutBox, m_analysisWindow, m_optimizationWindow}) {
    // The draw history and the print positions are read as the program starts; what went wrong is said
    // once, and the program goes on.
    m_session.run([this] { return m_model.loadHistory(m_session.questions()); });
    m_session.run([this] { return m_model.loadPrintSettings(); });
}

} // namespace selektor
