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
[ "$(q -c 'select version from classe.schema_version')" = 4 ]
q -c "create role ta login password 'a' in role tapivox_enseignants; create role tb login password 'b' in role tapivox_enseignants; alter role tapivox_eleve password 'e'"
A="host=localhost user=ta password=a dbname=$PGDATABASE"
B="host=localhost user=tb password=b dbname=$PGDATABASE"
E="host=localhost user=tapivox_eleve password=e dbname=$PGDATABASE"
ca=$(q "$A" -c "select code from classe.create_class('CM2 A')")
cb=$(q "$B" -c "select code from classe.create_class('CM2 B')")
pa=$(q "$A" -c "select code from classe.add_pupil((select id from classe.classes), 'Léa')")
pt=$(q "$A" -c "select code from classe.add_pupil((select id from classe.classes), 'Tom')")
pb=$(q "$B" -c "select code from classe.add_pupil((select id from classe.classes), 'Zoé')")
ida=$(q "$A" -c "select id from classe.classes")
# Another teacher's functions reach no class but their own.
refused "$B" -v i="$ida" -c "select classe.add_pupil(:i, 'Intrus')"
refused "$B" -v i="$ida" -c "select classe.add_teacher(:i, 'tb')"
[ "$(q "$B" -v i="$ida" -c "delete from classe.classes where id = :i returning id" | wc -l)" = 0 ]
[ "$(q "$B" -v i="$ida" -c "insert into classe.assignments (class_id, module, first_lesson, last_lesson, objective_precision, objective_speed) values (:i, '2', '1', '6', 95, 20) returning id" 2>/dev/null | wc -l)" = 0 ]
[ "$(q "$A" -c 'select count(*) from classe.pupils')" = 2 ]
for t in classes class_teachers pupils sessions assignments hidden_lessons join_failures pupil_links session_misses; do
  refused "$E" -c "select * from classe.$t"
  refused "$E" -c "delete from classe.$t"
done
refused "$E" -c "select classe.create_class('x')"
[ -z "$(q "$E" -v c="$ca" -c "select pupil_name from classe.join_class(:'c', '00000000x')")" ]
[ "$(q "$E" -v c="$ca" -v p="$pa" -c "select pupil_name from classe.join_class(:'c', :'p')")" = Léa ]
u=6f1c2c3e-0000-4000-8000-000000000001
for i in 1 2; do
  q "$E" -v c="$ca" -v p="$pa" -v u=$u -c "select classe.send_session(:'c', :'p', :'u', 'exos', '4', 50, 2, 60, 55000, now(), now(), true)" >/dev/null
done
[ "$(q "$A" -c 'select count(*) from classe.sessions')" = 1 ]
# A pupil neither takes over another's session by its uuid nor reads what
# the teacher gave another pupil alone, nor opens another class.
q "$E" -v c="$ca" -v p="$pt" -v u=$u -c "select classe.send_session(:'c', :'p', :'u', 'exos', '9', 1, 99, 1, 1, now(), now(), false)" >/dev/null
[ "$(q "$A" -v u=$u -c "select p.name || s.good from classe.sessions s join classe.pupils p on p.id = s.pupil_id where uuid = :'u'")" = Léa50 ]
q "$A" -c "insert into classe.assignments (class_id, pupil_id, module, first_lesson, last_lesson, objective_precision, objective_speed) select class_id, id, '2', '1', '6', 95, 20 from classe.pupils where name = 'Léa'"
[ "$(q "$E" -v c="$ca" -v p="$pa" -c "select count(*) from classe.my_assignments(:'c', :'p')")" = 1 ]
[ "$(q "$E" -v c="$ca" -v p="$pt" -c "select count(*) from classe.my_assignments(:'c', :'p')")" = 0 ]
[ -z "$(q "$E" -v c="$cb" -v p="$pa" -c "select pupil_name from classe.join_class(:'c', :'p')")" ]
[ "$(q "$B" -c 'select count(*) from classe.sessions')" = 0 ]
[ "$(q "$B" -c "select string_agg(name, ',') from classe.pupils")" = Zoé ]
[ "$(q "$B" -c "update classe.classes set name = 'x' where name = 'CM2 A' returning id" | wc -l)" = 0 ]
# A computer's link: the token sends for its pupil alone, the teacher sees
# and cuts the links of their own pupils only.
[ -z "$(q "$E" -v c="$ca" -c "select token from classe.link_class(:'c', 'faux')")" ]
tok=$(q "$E" -v c="$ca" -v p="$pt" -c "select token from classe.link_class(:'c', :'p')")
[ ${#tok} = 32 ]
u2=6f1c2c3e-0000-4000-8000-000000000002
[ "$(q "$E" -v t="$tok" -v u=$u2 -c "select classe.send_linked_session(:'t', :'u', 'exos', '5', 40, 1, 60, 50000, now(), now(), true)")" = t ]
[ "$(q "$E" -v u=$u2 -c "select classe.send_linked_session('0000', :'u', 'exos', '5', 40, 1, 60, 50000, now(), now(), true)")" = f ]
[ "$(q "$A" -v u=$u2 -c "select p.name from classe.sessions s join classe.pupils p on p.id = s.pupil_id where uuid = :'u'")" = Tom ]
[ "$(q "$E" -v t="$tok" -c "select count(*) from classe.linked_assignments(:'t')")" = 0 ]
# A session's missed characters: counts only, stored once, never on
# another pupil's session; the other teacher sees none of them.
u3=6f1c2c3e-0000-4000-8000-000000000003
for i in 1 2; do
  [ "$(q "$E" -v t="$tok" -v u=$u3 -c "select classe.send_linked_session_misses(:'t', :'u', 'exos', '5', 40, 3, 60, 50000, now(), now(), true, '{\"é\": [9, 2], \"ç\": [4, 1], \"a\": [20, 0]}')")" = t ]
done
[ "$(q "$A" -v u=$u3 -c "select string_agg(character || typed || '/' || missed, ' ' order by character) from classe.session_misses where uuid = :'u'")" = "ç4/1 é9/2" ]
[ "$(q "$E" -v t="$tok" -v u=$u -c "select classe.send_linked_session_misses(:'t', :'u', 'exos', '4', 1, 1, 1, 1, now(), now(), true, '{\"z\": [1, 1]}')")" = t ]
[ "$(q "$A" -v u=$u -c "select count(*) from classe.session_misses where uuid = :'u'")" = 0 ]
refused "$E" -v t="$tok" -v u=$u3 -c "select classe.send_linked_session_misses(:'t', gen_random_uuid(), 'exos', '5', 1, 1, 1, 1, now(), now(), true, '[1]')"
[ "$(q "$B" -c 'select count(*) from classe.session_misses')" = 0 ]
refused "$E" -v t="$tok" -c "select classe.linked_pupil(:'t')"
# A token that opens nothing reads nothing, and says so.
refused "$E" -c "select * from classe.linked_assignments('0000')"
refused "$E" -c "select * from classe.linked_hidden_lessons('0000')"
refused "$A" -c "select token_hash from classe.pupil_links"
[ "$(q "$B" -c 'select count(*) from classe.pupil_links')" = 0 ]
[ "$(q "$A" -c "delete from classe.pupil_links returning pupil_id" | wc -l)" = 1 ]
[ "$(q "$E" -v t="$tok" -v u=$u2 -c "select classe.send_linked_session(:'t', :'u', 'exos', '5', 40, 1, 60, 50000, now(), now(), true)")" = f ]
for i in 1 2 3 4 5; do q "$E" -v c="$ca" -c "select classe.send_session(:'c', 'faux', gen_random_uuid(), 'exos', '4', 1, 0, 1, 1, now(), now(), true)" >/dev/null; done
refused "$E" -v c="$ca" -v p="$pa" -c "select classe.join_class(:'c', :'p')"
# Wrong codes tried through join_class count too: Léa's code in CM2 B was
# the first of five.
for i in 1 2 3 4; do q "$E" -v c="$cb" -c "select classe.join_class(:'c', 'faux')" >/dev/null; done
refused "$E" -v c="$cb" -v p="$pb" -c "select classe.join_class(:'c', :'p')"
# A server of the first version takes the later steps and keeps its pupils.
q -c "create database v1"
{ sed '/^SELECT version < 2 AS step2/,$d' "$schema"; echo 'COMMIT;'; } | q -d v1
[ "$(q -d v1 -c 'select version from classe.schema_version')" = 1 ]
q -d v1 -c "insert into classe.classes (code, name) values ('C1', 'CP'); insert into classe.pupils (class_id, name, code_hash) select id, 'Ana', classe.crypt('1234', classe.gen_salt('bf')) from classe.classes"
q -d v1 -f "$schema"
[ "$(q -d v1 -c 'select version from classe.schema_version')" = 4 ]
[ "$(q -d v1 -c "select pupil_name || length(token) from classe.link_class('C1', '1234')")" = Ana32 ]
echo ok
