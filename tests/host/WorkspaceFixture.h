#pragma once
// A workspace wired to minihost's recording host (its assay dialog answered by the test), a recording main
// window, the messages tab's log, and a host database in a throw-away folder.
#include "RecordingHost.h"
#include "HostDataFolder.h"
#include "RecordingView.h"

#include "engine/MessageLog.h"
#include "host/CalculationWorkspace.h"
#include "host/HostBus.h"
#include "input/DataBaseConnectionBase.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <vector>

class WorkspaceFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake.serveStandard(1049);
        fake.bus.serve("Main/OpenAssayIdDlg", [this](intptr_t capacity, intptr_t array) -> intptr_t {
            dialogCapacity = capacity;
            dialogWasOpen = workspace.hostDialogOpen();
            auto* ids = reinterpret_cast<int32_t*>(array);
            for (int32_t i = 0; i < 256; ++i)
                dialogArrayWasZero = dialogArrayWasZero && ids[i] == 0;
            const std::size_t n = std::min<std::size_t>(chosen.size(), 256);
            std::memcpy(ids, chosen.data(), n * sizeof(int32_t));
            if (duringDialog)
                duringDialog();
            return answer ? *answer : static_cast<intptr_t>(chosen.size());
        });
        fake.bus.serve("Main/OpenAssayFile", [this](intptr_t one, intptr_t path) -> intptr_t {
            openedArguments.push_back(one);
            openedFiles.emplace_back(reinterpret_cast<const char16_t*>(path));
            return 0;
        });
        host::setHostApi(fake.api());
        DataBaseConnectionBase::instance().setUri(data.databasePath().c_str());
        setTheMessageLog(&log);
        view.workspace = &workspace;
    }
    void TearDown() override
    {
        setTheMessageLog(nullptr);
        host::setHostApi(nullptr);
    }

    // The host's dialog answers with these ids (and their count, unless `answer` says otherwise).
    void add(std::vector<int32_t> ids, std::optional<intptr_t> hostAnswer = std::nullopt)
    {
        chosen = std::move(ids);
        answer = hostAnswer;
        workspace.addFromHost();
    }
    int dialogCalls() const { return fake.count("callCommand", "Main/OpenAssayIdDlg"); }

    RecordingHost fake;
    HostDataFolder data;
    MessageLog log;
    RecordingView view;
    host::CalculationWorkspace workspace {&view};

    std::vector<int32_t> chosen;
    std::optional<intptr_t> answer;
    std::function<void()> duringDialog;
    intptr_t dialogCapacity = 0;
    bool dialogWasOpen = false;
    bool dialogArrayWasZero = true;
    std::vector<intptr_t> openedArguments;
    std::vector<std::u16string> openedFiles;
};
