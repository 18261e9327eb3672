// A launcher on a fresh headless desktop, and the game window it opens. The
// desktop also watches the worker threads: it counts their sleeps and drawing
// requests, so a test can step a worker exactly, one sleep at a time.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "app/main_wnd.h"
#include "app/messages.h"
#include "game/vaziv_game.h"
#include "headless_fixture.h"

namespace lv::testing {

class WorkerWatchDesk : public headless::HeadlessPlatform {
 public:
  // A worker's sleep on the desktop's clock, counted as it begins.
  void Sleep(unsigned ms) override {
    std::unique_lock lock(watch_mutex_);
    const std::int64_t until = clock_ms() + ms;
    ++sleeps_;
    changed_.notify_all();
    changed_.wait(lock, [&] { return clock_ms() >= until; });
  }
  void DrawOnWindow(Handle h, std::function<void(Canvas&)> draw) override {
    {
      std::lock_guard lock(watch_mutex_);
      ++draw_requests_[h];
    }
    HeadlessPlatform::DrawOnWindow(h, std::move(draw));
  }

  // AdvanceTime that also wakes the workers whose sleep has run out.
  void Advance(unsigned ms) {
    AdvanceTime(ms);
    std::lock_guard lock(watch_mutex_);
    changed_.notify_all();
  }
  // Waits until `n` sleeps have begun in all; false if that takes unreasonably long.
  bool WaitForSleeps(int n) {
    std::unique_lock lock(watch_mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(10), [&] { return sleeps_ >= n; });
  }
  int sleeps() {
    std::lock_guard lock(watch_mutex_);
    return sleeps_;
  }
  int draw_requests(Handle h) {
    std::lock_guard lock(watch_mutex_);
    return draw_requests_[h];
  }

 private:
  std::mutex watch_mutex_;
  std::condition_variable changed_;
  int sleeps_ = 0;
  std::map<Handle, int> draw_requests_;
};

class GameTest : public ::testing::Test {
 protected:
  GameTest() {
    SetPlatform(&desk);
    desk.SetModulePath(folder.wide("lumioveyra"));
  }
  ~GameTest() override {
    CloseGame();
    launcher.reset();
    SetPlatform(nullptr);
  }

  void StartLauncher(Size screen = {1366, 768}, Rect work_area = {0, 0, 1366, 728}) {
    desk.SetScreen(screen, work_area);
    launcher = std::make_unique<CMainWnd>(0);
    ASSERT_NE(launcher->GetSafeHwnd(), 0u);
    platform().ShowWindow(launcher->GetSafeHwnd(), sw::SHOW);
    desk.Pump();
    launcher->m_strGameUrl = L"http://127.0.0.1:8080/game/play?server=1";
    launcher->m_strServerName = L"双线一区";
  }

  // As the server-list page does it.
  void OpenGame() {
    platform().SendMessage(launcher->GetSafeHwnd(), WM_OPEN_GAME, 0, 0);
    desk.Pump();
    game = launcher->m_pGameWnd;
    ASSERT_NE(game, nullptr);
    h = game->GetSafeHwnd();
    shared = game->m_pShared;
  }

  // Takes the game window down the way the launcher does, and lets its
  // workers run out, so that none outlives the desktop.
  void CloseGame() {
    if (launcher && launcher->m_pGameWnd) {
      platform().PostMessage(launcher->GetSafeHwnd(), WM_BACK_TO_LAUNCHER, 0, 0);
      desk.Pump();
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!shared.expired() && std::chrono::steady_clock::now() < deadline) {
      desk.Advance(150);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    EXPECT_TRUE(shared.expired()) << "a worker of the game window is still running";
    game = nullptr;
  }

  headless::WindowState& st() { return desk.state(h); }
  headless::FakeBrowserPane* pane() { return desk.PaneOf(h); }
  void Mouse(unsigned message, int x, int y) { desk.Mouse(h, message, x, y); }

  WorkerWatchDesk desk;
  TempFolder folder;
  std::unique_ptr<CMainWnd> launcher;
  CVazivGame* game = nullptr;
  Handle h = 0;
  std::weak_ptr<GameThreadState> shared;
};

}  // namespace lv::testing
