#!/usr/bin/env bash
# make preview and make demo pass MESSAGE to the program exactly as typed: $, quotes, backquotes and
# markup included. The command make would run (make -n) must style each message as the program
# does when the shell hands it the same text directly.
set -euo pipefail
cd "$(dirname "$0")/../.."
preview=build/native/tavi_preview
status=0
# The heading and the lines of the styles without random colours: bullets, fancy letters, dashes,
# dots, the wave.
plain() { sed -n '1,5p;8p'; }
for message in 'Cost: $5 <b>' "It's \$HOME and \`date\`" 'a "quoted" $(word) \n'; do
  command=$(env -u MAKEFLAGS -u MFLAGS -u MAKELEVEL make -n -s preview MESSAGE="$message" | tail -n 1)
  if [ "$(bash -c "$command" | plain)" != "$("$preview" "$message" | plain)" ]; then
    echo "make passes MESSAGE=$message otherwise: $command"
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "make: every message reached the program as typed"
exit "$status"
