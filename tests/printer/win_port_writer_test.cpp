// Runs on Windows (or under Wine) with LPT1 mapped to a file whose path is in
// ZELORA_LPT1_FILE, so that what reached the port can be read back.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "printer/port_writer.h"

namespace zelora {
namespace {

const std::string kBaud9600Job = "\x1b%-12345X@PJL DEFAULT BAUDRATE=9600\r\n\x1b%-12345X";

class Lpt1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* file = std::getenv("ZELORA_LPT1_FILE");
    if (file == nullptr || *file == '\0') GTEST_SKIP() << "LPT1 is not mapped to a file";
    file_ = file;
    std::ofstream(file_, std::ios::binary | std::ios::trunc).flush();
  }
  std::string Received() const {
    std::ifstream in(file_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  std::string file_;
};

TEST_F(Lpt1Test, JobReachesThePortWhole) {
  const std::unique_ptr<PrinterPort> port = MakePlatformPortWriter();
  EXPECT_TRUE(port->WriteJob(kBaud9600Job));
  EXPECT_EQ(Received(), kBaud9600Job);
}

TEST_F(Lpt1Test, HundredByteJobIsWrittenAndLongerRefused) {
  const std::unique_ptr<PrinterPort> port = MakePlatformPortWriter();
  const std::string job(kMaxJobLength, 'H');
  EXPECT_TRUE(port->WriteJob(job));
  EXPECT_FALSE(port->WriteJob(job + "!"));
  EXPECT_EQ(Received(), job);
}

TEST_F(Lpt1Test, ConnectionWritesByteByByte) {
  const std::unique_ptr<PrinterPort> port = MakePlatformPortWriter();
  {
    const std::unique_ptr<PortConnection> connection = port->Open();
    ASSERT_NE(connection, nullptr);
    for (char byte : std::string("\x1b"
                                 "E\x0c")) {
      EXPECT_TRUE(connection->Write(std::string_view(&byte, 1)));
    }
  }
  EXPECT_EQ(Received(),
            "\x1b"
            "E\x0c");
}

}  // namespace
}  // namespace zelora
