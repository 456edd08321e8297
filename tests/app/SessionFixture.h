#pragma once

// A model and its session with scripted desktop services, for trying one stage of the main window on
// its own.

#include "app/Session.h"
#include "support/FakeServices.h"

#include <QDir>
#include <memory>

namespace selektor::test {

struct SessionFixture {
    FakeServices fakes;
    std::unique_ptr<ApplicationModel> model = std::make_unique<ApplicationModel>(QDir::currentPath().toStdString(), 0);
    std::unique_ptr<Session> session = std::make_unique<Session>(*model, fakes.services);

    // Pretends a count in range, so that the next click can be seen to lock "Etap końcowy" again.
    void unlockFinalStage() {
        CandidatePool pool;
        pool.append({1, 2, 3, 4, 5, 6});
        model->takeCountedPool(pool);
        session->changed();
    }
    void newSystem() {
        session->run([this] { return model->newSystem(session->questions()); });
    }
};

} // namespace selektor::test
