// The end-to-end tests' main: GoogleTest's own, but a failure is printed without OutputDebugString.
// Under Wine that raises an exception, and where Wine's 32-bit side runs under qemu-user the
// exception, raised while another thread waits, brings the whole test program down: a failure
// must end its own test only.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace {

using testing::TestEventListener;

// GoogleTest's printer for everything but a test's failures, which it prints the same way itself.
class FailuresWithoutDebugOutput : public TestEventListener {
 public:
  explicit FailuresWithoutDebugOutput(TestEventListener* printer) : printer_(printer) {}
  void OnTestProgramStart(const testing::UnitTest& u) override { printer_->OnTestProgramStart(u); }
  void OnTestIterationStart(const testing::UnitTest& u, int i) override { printer_->OnTestIterationStart(u, i); }
  void OnEnvironmentsSetUpStart(const testing::UnitTest& u) override { printer_->OnEnvironmentsSetUpStart(u); }
  void OnEnvironmentsSetUpEnd(const testing::UnitTest& u) override { printer_->OnEnvironmentsSetUpEnd(u); }
  void OnTestSuiteStart(const testing::TestSuite& s) override { printer_->OnTestSuiteStart(s); }
  void OnTestCaseStart(const testing::TestCase& s) override { printer_->OnTestCaseStart(s); }
  void OnTestStart(const testing::TestInfo& t) override { printer_->OnTestStart(t); }
  void OnTestDisabled(const testing::TestInfo& t) override { printer_->OnTestDisabled(t); }
  void OnTestPartResult(const testing::TestPartResult& r) override {
    if (r.type() == testing::TestPartResult::kSuccess) return;
    std::printf("%s:%d: %s\n%s\n", r.file_name() ? r.file_name() : "unknown file", r.line_number(),
                r.skipped() ? "Skipped" : "Failure", r.message());
    std::fflush(stdout);
  }
  void OnTestEnd(const testing::TestInfo& t) override { printer_->OnTestEnd(t); }
  void OnTestSuiteEnd(const testing::TestSuite& s) override { printer_->OnTestSuiteEnd(s); }
  void OnTestCaseEnd(const testing::TestCase& s) override { printer_->OnTestCaseEnd(s); }
  void OnEnvironmentsTearDownStart(const testing::UnitTest& u) override { printer_->OnEnvironmentsTearDownStart(u); }
  void OnEnvironmentsTearDownEnd(const testing::UnitTest& u) override { printer_->OnEnvironmentsTearDownEnd(u); }
  void OnTestIterationEnd(const testing::UnitTest& u, int i) override { printer_->OnTestIterationEnd(u, i); }
  void OnTestProgramEnd(const testing::UnitTest& u) override { printer_->OnTestProgramEnd(u); }

 private:
  std::unique_ptr<TestEventListener> printer_;
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  testing::TestEventListeners& listeners = testing::UnitTest::GetInstance()->listeners();
  if (TestEventListener* printer = listeners.default_result_printer()) {
    listeners.Append(new FailuresWithoutDebugOutput(listeners.Release(printer)));
  }
  return RUN_ALL_TESTS();
}
