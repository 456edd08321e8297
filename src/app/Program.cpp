#include "app/Program.h"

#include <QFile>

namespace selektor {

Program::Program(Services& services, const QString& dataDirectory)
    : m_model(QFile::encodeName(dataDirectory).toStdString(),
              static_cast<std::uint32_t>(services.clock.timeOfDay().msecsSinceStartOfDay())),
      m_session(m_model, services), m_mainWindow(m_session, {m_chartWindow, m_drawHistoryWindow, m_aboutBox}) {}

} // namespace selektor
