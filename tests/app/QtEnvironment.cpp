// One QApplication for all tests of the desktop program (offscreen platform).

#include <QApplication>
#include <gtest/gtest.h>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        m_App = new QApplication(m_Argc, m_Argv);
    }
    void TearDown() override
    {
        delete m_App;
        m_App = nullptr;
    }

private:
    int m_Argc = 1;
    char m_Name[16] = "orlu_app_tests";
    char* m_Argv[2] = {m_Name, nullptr};
    QApplication* m_App = nullptr;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

} // namespace
