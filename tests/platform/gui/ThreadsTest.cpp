// Calls from other threads are carried out on the GUI thread while the
// caller waits; the GUI thread serves them whenever it pumps.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "TestWindow.h"

namespace gui {
namespace {

TEST(Threads, WorkersWriteAndReadTheGridWhileTheGuiThreadAddsAndDeletesRows) {
  Window window(test::EveryControlSpec());
  window.Show();
  auto grid = window.Get<Grid>("高级表格1");
  grid.SetColumnCount(9);
  for (int r = 1; r <= 20; ++r) grid.AppendRow(IntegerToText(r));

  constexpr int kWorkers = 4, kCalls = 600;
  std::atomic<int> finished{0};
  std::atomic<int> badReads{0};
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w) {
    workers.emplace_back([&, w] {
      for (int i = 0; i < kCalls; ++i) {
        const int row = 1 + (i * 7 + w) % 40;  // rows past the end half of the time
        const int column = 1 + (i + w) % 9;    // column 9 is past the end
        grid.SetCellText(row, column, "w" + IntegerToText(w));
        const Text read = grid.CellText(row, column);
        if (!read.empty() && read[0] != 'w') ++badReads;
        if (!grid.CellText(grid.RowCount() + 1, 1).empty()) ++badReads;
        if (!grid.CellText(row, 9).empty()) ++badReads;
        grid.SetTextColor(row, 0, row, 8, 0xFF0000);
      }
      ++finished;
    });
  }
  int step = 0;
  const bool done = test::PumpUntil([&] {
    if (++step % 2) {
      grid.AppendRow(IntegerToText(grid.RowCount()));
    } else if (grid.RowCount() > 2) {
      grid.DeleteRow(1 + step % (grid.RowCount() - 1));
    }
    return finished.load() == kWorkers;
  });
  for (auto& t : workers) {
    if (!done)
      t.detach();
    else
      t.join();
  }
  ASSERT_TRUE(done) << "the workers did not get through";
  EXPECT_EQ(badReads.load(), 0);
  window.Close();
}

TEST(Threads, RunOnGuiThreadRunsThereWhileTheCallerWaits) {
  std::atomic<bool> ranOnGui{false}, returned{false}, sawWorkDone{false};
  std::thread worker([&] {
    bool work = false;
    RunOnGuiThread([&] {
      ranOnGui = IsGuiThread();
      work = true;
    });
    sawWorkDone = work;
    returned = true;
  });
  EXPECT_TRUE(test::PumpUntil([&] { return returned.load(); }));
  worker.join();
  EXPECT_TRUE(ranOnGui);
  EXPECT_TRUE(sawWorkDone);
  EXPECT_FALSE(LoopEnded());

  bool direct = false;
  RunOnGuiThread([&] { direct = true; });
  EXPECT_TRUE(direct);
}

TEST(Threads, MessageHookAnswersBoxesAskedFromAnyThread) {
  std::vector<MessageRecord> records;
  SetMessageHook([&](const MessageRecord& record) {
    EXPECT_TRUE(IsGuiThread());
    records.push_back(record);
    return record.question;
  });
  std::atomic<int> answers{0};
  std::atomic<bool> done{false};
  std::thread worker([&] {
    ShowMessage("载入网卡失败，请刷新重试！");
    if (AskYesNo("有新版本，是否更新？", "版本检测", nullptr)) ++answers;
    done = true;
  });
  EXPECT_TRUE(test::PumpUntil([&] { return done.load(); }));
  worker.join();
  SetMessageHook(nullptr);

  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].text, "载入网卡失败，请刷新重试！");
  EXPECT_EQ(records[0].caption, "信息：");
  EXPECT_FALSE(records[0].question);
  EXPECT_EQ(records[1].caption, "版本检测");
  EXPECT_TRUE(records[1].question);
  EXPECT_EQ(answers.load(), 1);
}

TEST(Threads, ModalWindowClosedFromAWorkerReturnsAndServesCallsMeanwhile) {
  Window owner(test::EveryControlSpec());
  owner.Show();
  Window dialog(
      WindowSpec{"设置", 50, 50, 448, 107, {{ControlKind::EditBox, "编辑框1", 353, 25, 64, 24}}});
  std::atomic<bool> closedFromWorker{false};
  std::thread worker;
  dialog.OnCreated([&] {
    worker = std::thread([&] {
      auto edit = dialog.Get<EditBox>("编辑框1");
      edit.SetText("500");  // served by the modal loop
      closedFromWorker = edit.GetText() == "500";
      dialog.Close();
    });
  });
  dialog.ShowModal(&owner);
  worker.join();
  EXPECT_TRUE(closedFromWorker);
  EXPECT_FALSE(dialog.IsOpen());
  EXPECT_TRUE(owner.IsOpen());
  owner.Close();
}

}  // namespace
}  // namespace gui
