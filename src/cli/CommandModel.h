#pragma once
// The model one command of the CLI works on. When the program ends right after the command, the
// model is left to the end of the process instead of being taken apart row by row: for a large
// project that would cost a few percent of a CLI scan, for memory the system takes back at once.
// The model left so stays reachable (a leak checker does not count it).

#include <memory>

#include "core/model/ProjectModel.h"

namespace tally {

class CommandModel {
public:
    explicit CommandModel(bool leftToProcessEnd)
        : m_leftToProcessEnd(leftToProcessEnd), m_model(std::make_unique<ProjectModel>()) {}
    ~CommandModel();
    CommandModel(const CommandModel&) = delete;
    CommandModel& operator=(const CommandModel&) = delete;

    ProjectModel& operator*() { return *m_model; }

private:
    bool m_leftToProcessEnd;
    std::unique_ptr<ProjectModel> m_model;
};

}  // namespace tally
