#include "cli/CommandModel.h"

namespace tally {

namespace {
// The model of the last command that left its model to the end of the process.
ProjectModel* g_leftModel = nullptr;
}  // namespace

CommandModel::~CommandModel() {
    if (!m_leftToProcessEnd) return;
    // A second command in one process takes the first one's model apart after all.
    delete g_leftModel;
    g_leftModel = m_model.release();
}

}  // namespace tally
