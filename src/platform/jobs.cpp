#include "platform/jobs.h"

namespace pakkon {

struct Job::State {
  std::atomic<bool> stop{false};
  std::atomic<bool> finished{false};  // the thread's work is over
  // Touched on the owner's thread only.
  bool dropped = false;
  bool delivered = false;
};

void Job::stop() {
  if (s_) s_->stop = true;
}

void Job::drop() {
  if (!s_) return;
  s_->stop = true;
  s_->dropped = true;
}

bool Job::active() const { return s_ && !s_->dropped && !s_->delivered; }

Jobs::Jobs(JobPost post) : post_(std::move(post)) {}

Jobs::~Jobs() {
  std::vector<Running> all;
  {
    const std::lock_guard lock(m_);
    all.swap(running_);
  }
  for (Running& r : all) {
    r.state->stop = true;
    r.state->dropped = true;
  }
  for (Running& r : all)
    if (r.thread.joinable()) r.thread.join();
}

void Jobs::reap() {
  const std::lock_guard lock(m_);
  for (auto it = running_.begin(); it != running_.end();) {
    if (it->state->finished) {
      it->thread.join();
      it = running_.erase(it);
    } else {
      ++it;
    }
  }
}

Job Jobs::run(JobWork work) {
  reap();
  Job job;
  job.s_ = std::make_shared<Job::State>();
  auto state = job.s_;
  // Calls reach the owner only while the job is wanted.
  auto deliver = [post = post_, state](std::function<void()> f) {
    post([state, f = std::move(f)] {
      if (!state->dropped && !state->delivered && f) f();
    });
  };
  std::thread thread([state, work = std::move(work), deliver] {
    JobContext context{state->stop, deliver};
    JobResult result = work(context);
    deliver([state, result = std::move(result)] {
      state->delivered = true;
      if (result) result();
    });
    state->finished = true;
  });
  const std::lock_guard lock(m_);
  running_.push_back({state, std::move(thread)});
  return job;
}

}  // namespace pakkon
