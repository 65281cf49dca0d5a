#pragma once

#include <chrono>

#include <gtest/gtest.h>

#include "online/http_client.h"
#include "online/test_http_server.h"
#include "support/fake_seams.h"
#include "support/row_name.h"

namespace quill::test {

// Fake seams pointing at a fresh scripted server, and request time limits short enough that a
// silent server costs about a second, yet long enough for a busy machine to answer in time.
class OnlineTest : public ::testing::Test {
 protected:
  OnlineTest() {
    seams_.SetServerAddress(server_.BaseUrl());
    saved_ = CurrentRequestTimeouts();
    using namespace std::chrono_literals;
    SetRequestTimeouts({1000ms, 3000ms});
  }
  ~OnlineTest() override { SetRequestTimeouts(saved_); }

  QString Url(const QString& path) const { return server_.BaseUrl() + path; }

  TestHttpServer server_;
  quill::testing::FakeSeams seams_;
  RequestTimeouts saved_;
};

}  // namespace quill::test
