#!/bin/sh
# The class schema's rights on a throw-away server (run under pg_virtualenv).
set -eu
schema=$1
# -c SQL goes through standard input so that psql binds the -v variables.
q() {
  sql=; n=$#
  while [ $n -gt 0 ]; do
    a=$1; shift; n=$((n - 1))
    if [ "$a" = -c ]; then sql=$1; shift; n=$((n - 1)); else set -- "$@" "$a"; fi
  done
  if [ -n "$sql" ]; then printf '%s\n' "$sql" | psql -X -q -At -v ON_ERROR_STOP=1 "$@"; else psql -X -q -At -v ON_ERROR_STOP=1 "$@"; fi
}
refused() { if q "$@" >/dev/null 2>&1; then echo "not refused: $*" >&2; exit 1; fi; }
q -f "$schema"; q -f "$schema" 2>/dev/null
[ "$(q -c 'select version from classe.schema_version')" = 1 ]
q -c "create role ta login password 'a' in role tapivox_enseignants; create role tb login password 'b' in role tapivox_enseignants; alter role tapivox_eleve password 'e'"
A="host=localhost user=ta password=a dbname=$PGDATABASE"
B="host=localhost user=tb password=b dbname=$PGDATABASE"
E="host=localhost user=tapivox_eleve password=e dbname=$PGDATABASE"
ca=$(q "$A" -c "select code from classe.create_class('CM2 A')")
q "$B" -c "select code from classe.create_class('CM2 B')" >/dev/null
pa=$(q "$A" -c "select code from classe.add_pupil((select id from classe.classes), 'Léa')")
for t in classes class_teachers pupils sessions assignments hidden_lessons join_failures; do
  refused "$E" -c "select * from classe.$t"
  refused "$E" -c "delete from classe.$t"
done
refused "$E" -c "select classe.create_class('x')"
refused "$E" -v c="$ca" -c "select classe.join_class(:'c', '00000000x')"
[ "$(q "$E" -v c="$ca" -v p="$pa" -c "select pupil_name from classe.join_class(:'c', :'p')")" = Léa ]
u=6f1c2c3e-0000-4000-8000-000000000001
for i in 1 2; do
  q "$E" -v c="$ca" -v p="$pa" -v u=$u -c "select classe.send_session(:'c', :'p', :'u', 'exos', '4', 50, 2, 60, 55000, now(), now(), true)" >/dev/null
done
[ "$(q "$A" -c 'select count(*) from classe.sessions')" = 1 ]
[ "$(q "$B" -c 'select count(*) from classe.sessions')" = 0 ]
[ "$(q "$B" -c 'select count(*) from classe.pupils')" = 0 ]
[ "$(q "$B" -c "update classe.classes set name = 'x' where name = 'CM2 A' returning id" | wc -l)" = 0 ]
for i in 1 2 3 4 5; do q "$E" -v c="$ca" -c "select classe.send_session(:'c', 'faux', gen_random_uuid(), 'exos', '4', 1, 0, 1, 1, now(), now(), true)" >/dev/null; done
refused "$E" -v c="$ca" -v p="$pa" -c "select classe.join_class(:'c', :'p')"
echo ok
