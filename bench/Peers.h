// The peers the engine is measured against, each used the way a host would
// use it for one selection: muparser (one parser, SetExpr and Eval per
// expression) and libqalculate (one Calculator, calculate and print).
#pragma once

#include <memory>
#include <string>

namespace talvex::bench {

class TMuParserPeer {
 public:
  TMuParserPeer();
  ~TMuParserPeer();
  // SetExpr + Eval. False with the peer's message when it refuses the text.
  bool Evaluate(const std::string& Text, double& Value, std::string& Error);

 private:
  struct TState;
  std::unique_ptr<TState> State;
};

class TQalculatePeer {
 public:
  // Builds the one Calculator of the process and loads its definitions.
  TQalculatePeer();
  // calculate + print: the answer text.
  std::string Evaluate(const std::string& Text);
};

}  // namespace talvex::bench
