#pragma once
// Long work off the front end's thread. A job runs on a thread of its own
// with a flag it polls, and hands its result back as a call on the owner's
// thread through the owner's `post` (a queued call in the window, a queue a
// test drains). A job dropped before its result arrives never delivers it,
// so nobody reads an answer to a question no longer asked.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace pakkon {

// Hands a call to the owner's thread, to run later, never inline.
using JobPost = std::function<void(std::function<void()>)>;

struct JobContext {
  const std::atomic<bool>& stop;  // the search's cancel flag
  // A call on the owner's thread while the job runs (progress); dropped
  // with the job.
  std::function<void(std::function<void()>)> post;
};

// What a job hands back: run on the owner's thread, unless dropped.
using JobResult = std::function<void()>;
using JobWork = std::function<JobResult(JobContext&)>;

class Job {
 public:
  Job() = default;
  // Asks the work to stop; its result (a stopped one) still comes.
  void stop();
  // Stops it and drops whatever it would still deliver.
  void drop();
  // Started, and its result neither delivered nor dropped.
  bool active() const;

 private:
  friend class Jobs;
  struct State;
  std::shared_ptr<State> s_;
};

class Jobs {
 public:
  explicit Jobs(JobPost post);
  ~Jobs();  // drops every job and waits for their threads
  Jobs(const Jobs&) = delete;
  Jobs& operator=(const Jobs&) = delete;

  Job run(JobWork work);

 private:
  void reap();

  JobPost post_;
  std::mutex m_;
  struct Running {
    std::shared_ptr<Job::State> state;
    std::thread thread;
  };
  std::vector<Running> running_;
};

}  // namespace pakkon
