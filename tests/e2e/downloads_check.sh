#!/usr/bin/env bash
# A UTF-8 export of addresses on a local HTTP server, fed to `wget -i` and, line by line, to
# curl: every address must download the file it names. Loopback only; the server always stops.
set -euo pipefail
writer="$1"

for tool in wget curl python3; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (scripts/setup installs it)"
    exit 77
  fi
done

work="$(mktemp -d)"
server_pid=""
cleanup() {
  if [ -n "$server_pid" ]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# Numbered files under an ASCII folder and two non-ASCII ones: one percent-encoded in the list,
# one written as it is (the tools encode it themselves).
first=1 last=12
declare -A expected
mkdir -p "$work/site/files" "$work/site/データ" "$work/site/資料" "$work/wget" "$work/curl"
for i in $(seq "$first" "$last"); do
  printf 'files/item-%s\n' "$i" > "$work/site/files/item-$i.txt"
  printf 'データ/data-%s\n' "$i" > "$work/site/データ/data-$i.txt"
  expected["item-$i.txt"]="files/item-$i"
  printf '資料/doc-%s\n' "$i" > "$work/site/資料/doc-$i.txt"
  expected["data-$i.txt"]="データ/data-$i"
  expected["doc-$i.txt"]="資料/doc-$i"
done

# Port 0: the system picks a free port, which the server prints.
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$work/site" > "$work/server.log" 2>&1 &
server_pid=$!
port=""
for _ in $(seq 100); do
  port="$(sed -n 's/^Serving HTTP on 127\.0\.0\.1 port \([0-9]*\).*/\1/p' "$work/server.log")"
  [ -n "$port" ] && break
  kill -0 "$server_pid" 2>/dev/null || { cat "$work/server.log"; exit 1; }
  sleep 0.1
done
[ -n "$port" ] || { echo "FAIL: the test server did not start"; cat "$work/server.log"; exit 1; }

list="$work/list.txt"
"$writer" "$list" "127.0.0.1:$port" "$first" "$last" "files/item-" "%E3%83%87%E3%83%BC%E3%82%BF/data-" "資料/doc-"
total=$(( 3 * (last - first + 1) ))

# The file as the tools read it: LF only, no byte order mark, one address a line.
if grep -q $'\r' "$list"; then echo "FAIL: CR in the UTF-8 export"; exit 1; fi
if [ "$(head -c 3 "$list" | od -An -tx1 | tr -d ' ')" = "efbbbf" ]; then echo "FAIL: byte order mark"; exit 1; fi
[ "$(wc -l < "$list")" -eq "$total" ] || { echo "FAIL: expected $total lines"; cat "$list"; exit 1; }

check() {  # folder with the downloads, tool name
  local count=0 name
  for name in "${!expected[@]}"; do
    if [ "$(cat "$1/$name" 2>/dev/null)" != "${expected[$name]}" ]; then
      echo "FAIL: $2 did not download $name"
      exit 1
    fi
    count=$((count + 1))
  done
  [ "$count" -eq "$total" ] || { echo "FAIL: $2 downloaded $count of $total"; exit 1; }
}

wget --no-proxy -q -P "$work/wget" -i "$list" || { echo "FAIL: wget -i exited with $?"; exit 1; }
check "$work/wget" "wget -i"

while IFS= read -r url; do
  curl --noproxy '*' -fsS -o "$work/curl/${url##*/}" "$url" || { echo "FAIL: curl $url"; exit 1; }
done < "$list"
check "$work/curl" "curl"

echo "PASS: $total addresses downloaded by wget -i and by curl from 127.0.0.1:$port"
