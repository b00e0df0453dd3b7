#include "port_writer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zelora {
namespace {

const std::string kBaud9600Job = "\x1b%-12345X@PJL DEFAULT BAUDRATE=9600\r\n\x1b%-12345X";

// ------------------------------------------------- the port writer's own rules

class CountingPort final : public PrinterPort {
 public:
  class Connection final : public PortConnection {
   public:
    explicit Connection(CountingPort& port) : port_(port) {}
    ~Connection() override { ++port_.closes; }
    bool Write(std::string_view bytes) override {
      port_.written.emplace_back(bytes);
      return port_.accept_writes;
    }

   private:
    CountingPort& port_;
  };

  std::unique_ptr<PortConnection> Open() override {
    ++opens;
    if (!can_open) return nullptr;
    return std::make_unique<Connection>(*this);
  }

  bool can_open = true;
  bool accept_writes = true;
  int opens = 0;
  int closes = 0;
  std::vector<std::string> written;
};

TEST(PrinterPort, JobOfOneHundredBytesIsWrittenInOneWrite) {
  CountingPort port;
  const std::string job(kMaxJobLength, 'A');
  EXPECT_TRUE(port.WriteJob(job));
  EXPECT_EQ(port.opens, 1);
  EXPECT_EQ(port.closes, 1);
  EXPECT_EQ(port.written, std::vector<std::string>{job});
}

TEST(PrinterPort, JobOverOneHundredBytesIsRefusedWithoutOpening) {
  CountingPort port;
  EXPECT_FALSE(port.WriteJob(std::string(kMaxJobLength + 1, 'A')));
  EXPECT_EQ(port.opens, 0);
}

TEST(PrinterPort, FailedWriteStillClosesAndNextJobOpensAgain) {
  CountingPort port;
  port.accept_writes = false;
  EXPECT_FALSE(port.WriteJob(kBaud9600Job));
  EXPECT_EQ(port.closes, 1);
  port.accept_writes = true;
  EXPECT_TRUE(port.WriteJob(kBaud9600Job));
  EXPECT_EQ(port.opens, 2);
  EXPECT_EQ(port.closes, 2);
}

}  // namespace
}  // namespace zelora
