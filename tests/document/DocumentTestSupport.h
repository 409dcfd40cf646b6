#pragma once
// A temporary folder, a scripted port and an application context for the
// measurement document tests, with helpers to open and save documents.

#include "document/CTmDoc.h"
#include "support/FixtureBuilder.h"
#include "support/ScriptedInteraction.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace orlu {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "-" + info->name();
        for (char& c : name)
            if (c == '/')
                c = '_';
        dir = std::filesystem::temp_directory_path() / ("orlu-doc-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::filesystem::path Write(const std::string& name, const fixture::FixtureBuilder& file)
    {
        std::filesystem::path path = dir / name;
        file.WriteTo(path);
        return path;
    }

    /// Opens a file the way File Open does; the open itself must succeed.
    std::unique_ptr<CTmDoc> Open(const std::filesystem::path& path)
    {
        auto doc = std::make_unique<CTmDoc>(app);
        EXPECT_TRUE(doc->OnOpenDocument(path));
        doc->SetPathName(path);
        return doc;
    }

    /// Saves the document under a new name and returns the file's bytes.
    std::vector<std::uint8_t> SaveAndRead(CTmDoc& doc, const std::string& name)
    {
        std::filesystem::path path = dir / name;
        EXPECT_TRUE(doc.OnSaveDocument(path));
        return fixture::ReadFileBytes(path);
    }

    std::filesystem::path dir;
    ScriptedInteraction ui;
    AppContext app{ui};
};

} // namespace orlu
