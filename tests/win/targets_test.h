#pragma once
// The fixture of the end-to-end tests: windows of another program to conceal.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "targets_process.h"

namespace tolva::tests {

// A test with three windows of another program to conceal, all shown again at its end.
class TargetsTest : public ::testing::Test {
 protected:
  explicit TargetsTest(std::string prefix) : prefix_(std::move(prefix)) {}
  void SetUp() override {
    targets_.emplace(3, prefix_);
    ASSERT_TRUE(targets_->Ready());
  }
  void TearDown() override {
    if (targets_) targets_->ShowNumbered();
    targets_.reset();
  }
  std::vector<HWND> Targets() const { return targets_ ? targets_->Numbered() : std::vector<HWND>{}; }
  bool AllVisible() const { return tests::AllVisible(Targets()); }
  bool NoneVisible() const { return tests::NoneVisible(Targets()); }

  std::optional<TargetsProcess> targets_;

 private:
  std::string prefix_;
};

}  // namespace tolva::tests
