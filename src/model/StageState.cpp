#include "model/StageState.h"

namespace selektor {

GeneratorControls enabledControls(GeneratorMode mode) {
    GeneratorControls c;
    switch (mode) {
    case GeneratorMode::PostProcessable:
        c.postProcessing = true;
        [[fallthrough]];
    case GeneratorMode::Ready:
    case GeneratorMode::Built:
        c.back = c.save = c.guaranteeGroup = c.guaranteeOk = true;
        c.simulationGroup = c.simulationOk = c.resultOk = c.print = true;
        break;
    case GeneratorMode::Simulating:
        // The player may leave the stage while the run goes on; its question guards the run.
        c.back = true;
        c.countdown = true;
        break;
    case GeneratorMode::Stopped:
        // The groups come back; their buttons, saving, checking and printing wait for a new entry.
        c.back = true;
        c.guaranteeGroup = c.simulationGroup = true;
        break;
    case GeneratorMode::FromFile:
        // A system from a file is checked, printed and saved again, never rebuilt: the generators'
        // buttons and the way back stay closed until "Etap końcowy".
        c.save = c.resultOk = c.print = true;
        c.guaranteeGroup = c.simulationGroup = true;
        break;
    case GeneratorMode::Busy:
        c.busyLamp = true;
        break;
    }
    return c;
}

} // namespace selektor
