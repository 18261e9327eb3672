// The launcher's start-up report: ten seconds after creation, once, off the
// GUI thread, only with a user id.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "app/main_wnd.h"
#include "support/headless_fixture.h"

namespace lv {
namespace {

// A receiver that takes connections but never answers them.
class MuteReceiver {
 public:
  MuteReceiver() {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    ::listen(fd_, 4);
    socklen_t len = sizeof addr;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
  }
  ~MuteReceiver() {
    if (client_ >= 0) ::close(client_);
    ::close(fd_);
  }
  int port() const { return port_; }
  // The first request line that arrives within `ms`, or "" if none does.
  std::string NextRequestLine(int ms) {
    pollfd p{fd_, POLLIN, 0};
    if (::poll(&p, 1, ms) <= 0) return "";
    client_ = ::accept(fd_, nullptr, nullptr);
    std::string data;
    char buf[4096];
    while (data.find("\r\n") == std::string::npos) {
      pollfd c{client_, POLLIN, 0};
      if (::poll(&c, 1, ms) <= 0) break;
      const ssize_t n = ::recv(client_, buf, sizeof buf, 0);
      if (n <= 0) break;
      data.append(buf, static_cast<std::size_t>(n));
    }
    return data.substr(0, data.find("\r\n"));
  }

 private:
  int fd_ = -1;
  int client_ = -1;
  int port_ = 0;
};

class ReportTriggerTest : public testing::HeadlessTest {
 protected:
  void Launch(const std::string& uid) {
    folder.Write("servers.ini", "[servers]\nlog=http://127.0.0.1:" + std::to_string(receiver.port()) + "\n");
    folder.Write("static.ini", "[vy]\nstart=1\nuid=" + uid + "\nfilename=678\n");
    launcher = std::make_unique<CMainWnd>(0);
    desk.Pump();
  }
  MuteReceiver receiver;
  std::unique_ptr<CMainWnd> launcher;
};

TEST_F(ReportTriggerTest, GoesOutTenSecondsAfterCreationWithoutHoldingTheLauncher) {
  Launch("zc12345");
  desk.AdvanceTime(9000);
  EXPECT_EQ(receiver.NextRequestLine(300), "");
  desk.AdvanceTime(1000);  // returns at once although the receiver never answers
  const std::string line = receiver.NextRequestLine(5000);
  EXPECT_EQ(line.rfind("GET /receive/micoclient?log=vy|12345|4|159372|||||", 0), 0u) << line;
  EXPECT_NE(line.find(" HTTP/1.1"), std::string::npos) << line;
  desk.Mouse(launcher->GetSafeHwnd(), wm::MOUSEMOVE, 1030, 220);  // the GUI thread is free
  EXPECT_EQ(launcher->m_nCloseState, 1);
}

TEST_F(ReportTriggerTest, NoUserIdMeansNoReport) {
  Launch("");
  desk.AdvanceTime(20000);
  EXPECT_EQ(receiver.NextRequestLine(500), "");
}

}  // namespace
}  // namespace lv
