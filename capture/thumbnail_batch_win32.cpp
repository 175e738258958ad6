#include "capture/thumbnail_batch_win32.h"

#include <thread>

namespace qv {

std::vector<char> CaptureThumbnails(std::span<TThumbnailRenderer *const> thumbnails,
                                    const WindowPainting &painting, std::size_t helperThreads,
                                    const std::atomic<bool> *stop) {
  std::vector<char> captured(thumbnails.size(), 0);
  std::vector<RemotePrint> remote;
  std::vector<std::size_t> remoteOwners, local;
  for (std::size_t i = 0; i < thumbnails.size(); ++i) {
    if (thumbnails[i]->Composed())
      continue;
    RemotePrint print;
    if (painting.Remote && thumbnails[i]->PrepareRemoteCapture(print)) {
      remote.push_back(print);
      remoteOwners.push_back(i);
    } else {
      local.push_back(i);
    }
  }
  const std::size_t step = helperThreads == 0 ? 1 : helperThreads;
  const auto printEvery = [&](std::size_t start) {
    for (std::size_t n = start; n < local.size() && !(stop && *stop); n += step)
      captured[local[n]] = thumbnails[local[n]]->Capture();
  };
  std::vector<std::thread> helpers;
  for (std::size_t start = 0; start < helperThreads && start < local.size(); ++start)
    helpers.emplace_back(printEvery, start);
  if (!remote.empty())
    painting.Remote->PrintAll(remote, [&](std::size_t n, const std::uint32_t *picture) {
      thumbnails[remoteOwners[n]]->TakeRemotePicture(remote[n], picture);
      captured[remoteOwners[n]] = 1;
    });
  if (helperThreads == 0)
    printEvery(0);
  for (std::thread &helper : helpers)
    helper.join();
  return captured;
}

} // namespace qv
