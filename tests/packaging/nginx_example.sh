#!/usr/bin/env bash
# The relay guide's TLS reverse proxy example is a configuration nginx accepts: `nginx -t` on it,
# with a throwaway certificate in place of the real one. nginx is not installed for this (its
# package would start a web server); scripts/install-deps.sh unpacks its binary into .cache/.
#   NGINX_BINARY (the unpacked binary), EXAMPLE (packaging/nginx/corvent-server.conf)
set -euo pipefail
[ -x "$NGINX_BINARY" ] || { echo "no nginx at $NGINX_BINARY: run scripts/install-deps.sh" >&2; exit 1; }
work=$(mktemp -d /tmp/tp-nginx.XXXXXX)
trap 'rm -rf "$work"' EXIT
openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=piano.example.org -days 1 \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
sed -e "s|/etc/letsencrypt/live/piano.example.org/fullchain.pem|$work/cert.pem|" \
    -e "s|/etc/letsencrypt/live/piano.example.org/privkey.pem|$work/key.pem|" \
    "$EXAMPLE" >"$work/site.conf"
grep -q "$work/cert.pem" "$work/site.conf" || { echo "the example names no certificate" >&2; exit 1; }
mkdir -p "$work/logs"
cat >"$work/nginx.conf" <<CONF
pid $work/nginx.pid;
error_log stderr;
events {}
http {
    access_log off;
    client_body_temp_path $work/body;
    proxy_temp_path $work/proxy;
    fastcgi_temp_path $work/fastcgi;
    uwsgi_temp_path $work/uwsgi;
    scgi_temp_path $work/scgi;
    include $work/site.conf;
}
CONF
"$NGINX_BINARY" -t -q -p "$work" -e stderr -c "$work/nginx.conf"
echo "nginx example: ok"
