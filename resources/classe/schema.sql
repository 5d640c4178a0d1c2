-- Tapivox, « La classe »: the schema of a class's server, in one place.
-- Apply with: tapivox --classe-schema | psql -v ON_ERROR_STOP=1 -d tapivox
-- Each change is a numbered step; a step already applied is skipped, so
-- applying this file twice changes nothing.
\set ON_ERROR_STOP 1
BEGIN;
CREATE SCHEMA IF NOT EXISTS classe;
CREATE TABLE IF NOT EXISTS classe.schema_version (version integer NOT NULL);
LOCK TABLE classe.schema_version IN EXCLUSIVE MODE;
INSERT INTO classe.schema_version SELECT 0 WHERE NOT EXISTS (SELECT 1 FROM classe.schema_version);
-- A newer server schema is never downgraded by an older program.
DO $$ BEGIN
  IF (SELECT version FROM classe.schema_version) > 4 THEN
    RAISE EXCEPTION 'Ce serveur porte une version plus récente du schéma (%)', (SELECT version FROM classe.schema_version);
  END IF;
END $$;
SELECT version < 1 AS step1 FROM classe.schema_version \gset
\if :step1
-- Step 1: roles, tables, row-level security, pupils' functions.
CREATE EXTENSION IF NOT EXISTS pgcrypto WITH SCHEMA classe;
DO $$ BEGIN
  IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'tapivox_enseignants') THEN
    CREATE ROLE tapivox_enseignants NOLOGIN;
  END IF;
  IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'tapivox_eleve') THEN
    CREATE ROLE tapivox_eleve LOGIN;
  END IF;
END $$;
REVOKE ALL ON SCHEMA classe FROM PUBLIC;
GRANT USAGE ON SCHEMA classe TO tapivox_enseignants, tapivox_eleve;

CREATE TABLE classe.classes (
  id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
  code text NOT NULL UNIQUE DEFAULT upper(encode(classe.gen_random_bytes(5), 'hex')),
  name text NOT NULL CHECK (length(name) BETWEEN 1 AND 80),
  objective_precision numeric(5,2) NOT NULL DEFAULT 95 CHECK (objective_precision BETWEEN 0 AND 100),
  objective_speed integer NOT NULL DEFAULT 20 CHECK (objective_speed >= 0));
CREATE TABLE classe.class_teachers (
  class_id bigint NOT NULL REFERENCES classe.classes ON DELETE CASCADE,
  teacher name NOT NULL,
  PRIMARY KEY (class_id, teacher));
CREATE TABLE classe.pupils (
  id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
  class_id bigint NOT NULL REFERENCES classe.classes ON DELETE CASCADE,
  name text NOT NULL CHECK (length(name) BETWEEN 1 AND 80),
  code_hash text NOT NULL);
CREATE TABLE classe.sessions (
  uuid uuid PRIMARY KEY,
  pupil_id bigint NOT NULL REFERENCES classe.pupils ON DELETE CASCADE,
  module text NOT NULL,
  lesson text NOT NULL,
  good integer NOT NULL CHECK (good >= 0),
  errors integer NOT NULL CHECK (errors >= 0),
  seconds integer NOT NULL CHECK (seconds >= 0),
  typing_ms bigint NOT NULL CHECK (typing_ms >= 0),
  started timestamptz NOT NULL,
  ended timestamptz NOT NULL,
  completed boolean NOT NULL);
-- The teacher's grid: each pupil's best figures per exercise, read from the
-- index alone (a pupil's sessions lie scattered among the class's pages).
CREATE INDEX sessions_grid ON classe.sessions (pupil_id, module, lesson) INCLUDE (good, errors, seconds, ended);
CREATE TABLE classe.assignments (
  id bigint GENERATED ALWAYS AS IDENTITY PRIMARY KEY,
  class_id bigint NOT NULL REFERENCES classe.classes ON DELETE CASCADE,
  pupil_id bigint REFERENCES classe.pupils ON DELETE CASCADE,
  module text NOT NULL,
  first_lesson text NOT NULL,
  last_lesson text NOT NULL,
  objective_precision numeric(5,2) NOT NULL,
  objective_speed integer NOT NULL,
  due date);
CREATE INDEX assignments_class ON classe.assignments (class_id);
CREATE TABLE classe.hidden_lessons (
  class_id bigint NOT NULL REFERENCES classe.classes ON DELETE CASCADE,
  module text NOT NULL,
  lesson text NOT NULL,
  PRIMARY KEY (class_id, module, lesson));
CREATE INDEX pupils_class ON classe.pupils (class_id);
CREATE INDEX class_teachers_teacher ON classe.class_teachers (teacher);

-- Whose classes: read with the definer's rights so that the policies do not
-- recurse through class_teachers' own policy.
CREATE FUNCTION classe.my_classes() RETURNS SETOF bigint
  LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, classe
  AS $$ SELECT class_id FROM classe.class_teachers WHERE teacher = session_user $$;
CREATE FUNCTION classe.my_pupils() RETURNS SETOF bigint
  LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, classe
  AS $$ SELECT p.id FROM classe.pupils p JOIN classe.class_teachers t ON t.class_id = p.class_id
        WHERE t.teacher = session_user $$;

ALTER TABLE classe.classes ENABLE ROW LEVEL SECURITY;
ALTER TABLE classe.class_teachers ENABLE ROW LEVEL SECURITY;
ALTER TABLE classe.pupils ENABLE ROW LEVEL SECURITY;
ALTER TABLE classe.sessions ENABLE ROW LEVEL SECURITY;
ALTER TABLE classe.assignments ENABLE ROW LEVEL SECURITY;
ALTER TABLE classe.hidden_lessons ENABLE ROW LEVEL SECURITY;
CREATE POLICY teacher ON classe.classes TO tapivox_enseignants
  USING (id IN (SELECT classe.my_classes()));
CREATE POLICY teacher ON classe.class_teachers TO tapivox_enseignants
  USING (class_id IN (SELECT classe.my_classes()));
CREATE POLICY teacher ON classe.pupils TO tapivox_enseignants
  USING (class_id IN (SELECT classe.my_classes()));
CREATE POLICY teacher ON classe.sessions TO tapivox_enseignants
  USING (pupil_id IN (SELECT classe.my_pupils()));
CREATE POLICY teacher ON classe.assignments TO tapivox_enseignants
  USING (class_id IN (SELECT classe.my_classes())
         AND (pupil_id IS NULL OR pupil_id IN (SELECT classe.my_pupils())));
CREATE POLICY teacher ON classe.hidden_lessons TO tapivox_enseignants
  USING (class_id IN (SELECT classe.my_classes()));
-- Teachers: no INSERT on classes or pupils (create_class, add_pupil do it).
GRANT SELECT, UPDATE (name, objective_precision, objective_speed), DELETE ON classe.classes TO tapivox_enseignants;
GRANT SELECT ON classe.class_teachers TO tapivox_enseignants;
GRANT SELECT, UPDATE (name), DELETE ON classe.pupils TO tapivox_enseignants;
GRANT SELECT, DELETE ON classe.sessions TO tapivox_enseignants;
GRANT SELECT, INSERT, UPDATE, DELETE ON classe.assignments, classe.hidden_lessons TO tapivox_enseignants;

-- Teachers' functions.
CREATE FUNCTION classe.create_class(p_name text) RETURNS classe.classes
  LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, classe AS $$
DECLARE c classe.classes;
BEGIN
  IF NOT pg_has_role(session_user, 'tapivox_enseignants', 'MEMBER') THEN
    RAISE EXCEPTION 'Réservé aux enseignants' USING ERRCODE = '42501';
  END IF;
  INSERT INTO classe.classes (name) VALUES (p_name) RETURNING * INTO c;
  INSERT INTO classe.class_teachers VALUES (c.id, session_user);
  RETURN c;
END $$;
CREATE FUNCTION classe.add_teacher(p_class bigint, p_teacher name) RETURNS void
  LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, classe AS $$
BEGIN
  IF p_class NOT IN (SELECT classe.my_classes()) THEN
    RAISE EXCEPTION 'Classe inconnue' USING ERRCODE = '42501';
  END IF;
  PERFORM 1 FROM classe.classes WHERE id = p_class FOR UPDATE;
  IF (SELECT count(*) FROM classe.class_teachers WHERE class_id = p_class) >= 3 THEN
    RAISE EXCEPTION 'Une classe a au plus trois enseignants';
  END IF;
  INSERT INTO classe.class_teachers VALUES (p_class, p_teacher) ON CONFLICT DO NOTHING;
END $$;
-- The personal code is returned once; only its hash is kept.
CREATE FUNCTION classe.add_pupil(p_class bigint, p_name text, OUT pupil_id bigint, OUT code text)
  LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, classe AS $$
BEGIN
  IF p_class NOT IN (SELECT classe.my_classes()) THEN
    RAISE EXCEPTION 'Classe inconnue' USING ERRCODE = '42501';
  END IF;
  code := lpad((('x' || encode(classe.gen_random_bytes(4), 'hex'))::bit(32)::bigint % 100000000)::text, 8, '0');
  INSERT INTO classe.pupils (class_id, name, code_hash)
    VALUES (p_class, p_name, classe.crypt(code, classe.gen_salt('bf')))
    RETURNING id INTO pupil_id;
END $$;

-- Pupils' functions: each call proves the class code and the personal code.
-- A wrong code names no pupil, so failures count per class: five of them
-- refuse every code of that class for ten minutes, by the server's clock.
CREATE TABLE classe.join_failures (
  class_id bigint PRIMARY KEY REFERENCES classe.classes ON DELETE CASCADE,
  failures integer NOT NULL DEFAULT 0,
  locked_until timestamptz);
ALTER TABLE classe.join_failures ENABLE ROW LEVEL SECURITY;
CREATE FUNCTION classe.authenticate(p_class_code text, p_code text) RETURNS classe.pupils
  LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, classe AS $$
DECLARE c bigint; f classe.join_failures; p classe.pupils;
BEGIN
  SELECT id INTO c FROM classe.classes WHERE code = upper(p_class_code);
  IF c IS NULL THEN
    RAISE EXCEPTION 'Code de classe inconnu' USING ERRCODE = '28000';
  END IF;
  INSERT INTO classe.join_failures (class_id) VALUES (c) ON CONFLICT DO NOTHING;
  SELECT * INTO f FROM classe.join_failures WHERE class_id = c FOR UPDATE;
  IF f.locked_until > now() THEN
    RAISE EXCEPTION 'Trop d''essais : réessayez dans quelques minutes' USING ERRCODE = '28000';
  END IF;
  SELECT * INTO p FROM classe.pupils
    WHERE class_id = c AND code_hash = classe.crypt(p_code, code_hash) LIMIT 1;
  IF p.id IS NULL THEN
    UPDATE classe.join_failures
      SET failures = CASE WHEN failures + 1 >= 5 THEN 0 ELSE failures + 1 END,
          locked_until = CASE WHEN failures + 1 >= 5 THEN now() + interval '10 minutes' END
      WHERE class_id = c;
    RETURN NULL;
  END IF;
  UPDATE classe.join_failures SET failures = 0 WHERE class_id = c;
  RETURN p;
END $$;
CREATE FUNCTION classe.join_class(p_class_code text, p_code text, OUT pupil_id bigint, OUT pupil_name text, OUT class_name text)
  LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, classe AS $$
DECLARE p classe.pupils;
BEGIN
  -- A wrong code gives a row of nulls: raising would roll back the failure
  -- authenticate has just counted, and leave codes open to guessing.
  p := classe.authenticate(p_class_code, p_code);
  IF p.id IS NOT NULL THEN
    pupil_id := p.id; pupil_name := p.name;
    SELECT name INTO class_name FROM classe.classes WHERE id = p.class_id;
  END IF;
END $$;
-- Sending the same session twice stores it once (its uuid is the key).
-- A wrong code returns false rather than raising, so that the failure counts.
CREATE FUNCTION classe.send_session(p_class_code text, p_code text, p_uuid uuid, p_module text,
    p_lesson text, p_good integer, p_errors integer, p_seconds integer, p_typing_ms bigint,
    p_started timestamptz, p_ended timestamptz, p_completed boolean) RETURNS boolean
  LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, classe AS $$
DECLARE p classe.pupils;
BEGIN
  p := classe.authenticate(p_class_code, p_code);
  IF p.id IS NULL THEN
    RETURN false;
  END IF;
  INSERT INTO classe.sessions VALUES (p_uuid, p.id, p_module, p_lesson, p_good, p_errors,
      p_seconds, p_typing_ms, p_started, p_ended, p_completed)
    ON CONFLICT (uuid) DO NOTHING;
  RETURN true;
END $$;
CREATE FUNCTION classe.my_assignments(p_class_code text, p_code text)
  RETURNS TABLE (module text, first_lesson text, last_lesson text, objective_precision numeric, objective_speed integer, due date)
  LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, classe AS $$
DECLARE p classe.pupils;
BEGIN
  p := classe.authenticate(p_class_code, p_code);
  IF p.id IS NOT NULL THEN
    RETURN QUERY SELECT a.module, a.first_lesson, a.last_lesson, a.objective_precision, a.objective_speed, a.due
      FROM classe.assignments a WHERE a.class_id = p.class_id AND (a.pupil_id IS NULL OR a.pupil_id = p.id);
  END IF;
END $$;
CREATE FUNCTION classe.my_hidden_lessons(p_class_code text, p_code text) RETURNS TABLE (module text, lesson text)
  LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, classe AS $$
DECLARE p classe.pupils;
BEGIN
  p := classe.authenticate(p_class_code, p_code);
  IF p.id IS NOT NULL THEN
    RETURN QUERY SELECT h.module, h.lesson FROM classe.hidden_lessons h WHERE h.class_id = p.class_id;
  END IF;
END $$;

-- No function is anyone's by default; each role gets exactly its own.
REVOKE ALL ON ALL FUNCTIONS IN SCHEMA classe FROM PUBLIC;
GRANT EXECUTE ON FUNCTION classe.my_classes(), classe.my_pupils(), classe.create_class(text),
  classe.add_teacher(bigint, name), classe.add_pupil(bigint, text) TO tapivox_enseignants;
GRANT EXECUTE ON FUNCTION classe.join_class(text, text),
  classe.send_session(text, text, uuid, text, text, integer, integer, integer, bigint, timestamptz, timestamptz, boolean),
  classe.my_assignments(text, text), classe.my_hidden_lessons(text, text) TO tapivox_eleve;
GRANT SELECT ON classe.schema_version TO tapivox_enseignants, tapivox_eleve;
UPDATE classe.schema_version SET version = 1;
\endif
SELECT version < 2 AS step2 FROM classe.schema_version \gset
\if :step2
-- Step 2: a pupil's computer proves itself with a link given when it joins
-- the class, a random token the server keeps hashed and finds by its index.
-- The personal code's bcrypt is then paid once per computer, not once per
-- session: a class's computers no longer queue on its row of failures.
-- A token is 128 random bits, so guessing one needs no lock.
CREATE TABLE classe.pupil_links (
  token_hash bytea PRIMARY KEY,
  pupil_id bigint NOT NULL REFERENCES classe.pupils ON DELETE CASCADE,
  created timestamptz NOT NULL DEFAULT now());
CREATE INDEX pupil_links_pupil ON classe.pupil_links (pupil_id);
ALTER TABLE classe.pupil_links ENABLE ROW LEVEL SECURITY;
CREATE POLICY teacher ON classe.pupil_links TO tapivox_enseignants
  USING (pupil_id IN (SELECT classe.my_pupils()));
-- A teacher sees which computers a pupil joined from, and can cut them off.
GRANT SELECT (pupil_id, created), DELETE ON classe.pupil_links TO tapivox_enseignants;
CREATE FUNCTION classe.link_class(p_class_code text, p_code text,
    OUT pupil_name text, OUT class_name text, OUT token text)
  LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, classe AS $$
DECLARE p classe.pupils;
BEGIN
  -- As join_class: a wrong code gives a row of nulls, its failure counted.
  p := classe.authenticate(p_class_code, p_code);
  IF p.id IS NOT NULL THEN
    pupil_name := p.name;
    SELECT name INTO class_name FROM classe.classes WHERE id = p.class_id;
    token := encode(classe.gen_random_bytes(16), 'hex');
    INSERT INTO classe.pupil_links (token_hash, pupil_id) VALUES (classe.digest(token, 'sha256'), p.id);
  END IF;
END $$;
CREATE FUNCTION classe.linked_pupil(p_token text) RETURNS classe.pupils
  LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, classe
  AS $$ SELECT p.* FROM classe.pupil_links l JOIN classe.pupils p ON p.id = l.pupil_id
        WHERE l.token_hash = classe.digest(p_token, 'sha256') $$;
-- False when the link no longer opens the class (pupil removed, link cut).
CREATE FUNCTION classe.send_linked_session(p_token text, p_uuid uuid, p_module text,
    p_lesson text, p_good integer, p_errors integer, p_seconds integer, p_typing_ms bigint,
    p_started timestamptz, p_ended timestamptz, p_completed boolean) RETURNS boolean
  LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, classe AS $$
DECLARE p classe.pupils;
BEGIN
  p := classe.linked_pupil(p_token);
  IF p.id IS NULL THEN
    RETURN false;
  END IF;
  INSERT INTO classe.sessions VALUES (p_uuid, p.id, p_module, p_lesson, p_good, p_errors,
      p_seconds, p_typing_ms, p_started, p_ended, p_completed)
    ON CONFLICT (uuid) DO NOTHING;
  RETURN true;
END $$;
CREATE FUNCTION classe.linked_assignments(p_token text)
  RETURNS TABLE (module text, first_lesson text, last_lesson text, objective_precision numeric, objective_speed integer, due date)
  LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, classe
  AS $$ SELECT a.module, a.first_lesson, a.last_lesson, a.objective_precision, a.objective_speed, a.due
        FROM classe.assignments a JOIN classe.linked_pupil(p_token) p ON a.class_id = p.class_id
        WHERE a.pupil_id IS NULL OR a.pupil_id = p.id $$;
CREATE FUNCTION classe.linked_hidden_lessons(p_token text) RETURNS TABLE (module text, lesson text)
  LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, classe
  AS $$ SELECT h.module, h.lesson FROM classe.hidden_lessons h JOIN classe.linked_pupil(p_token) p
        ON h.class_id = p.class_id $$;
REVOKE ALL ON FUNCTION classe.link_class(text, text), classe.linked_pupil(text),
  classe.send_linked_session(text, uuid, text, text, integer, integer, integer, bigint, timestamptz, timestamptz, boolean),
  classe.linked_assignments(text), classe.linked_hidden_lessons(text) FROM PUBLIC;
GRANT EXECUTE ON FUNCTION classe.link_class(text, text),
  classe.send_linked_session(text, uuid, text, text, integer, integer, integer, bigint, timestamptz, timestamptz, boolean),
  classe.linked_assignments(text), classe.linked_hidden_lessons(text) TO tapivox_eleve;
UPDATE classe.schema_version SET version = 2;
\endif
SELECT version < 3 AS step3 FROM classe.schema_version \gset
\if :step3
-- Step 3: reading the class's assignments and hidden lessons tells a
-- computer whose link no longer opens the class (pupil removed, class
-- deleted, link cut), as sending does, instead of an empty answer that
-- would show every lesson again while the link is being mended.
CREATE OR REPLACE FUNCTION classe.linked_assignments(p_token text)
  RETURNS TABLE (module text, first_lesson text, last_lesson text, objective_precision numeric, objective_speed integer, due date)
  LANGUAGE plpgsql STABLE SECURITY DEFINER SET search_path = pg_catalog, classe AS $$
DECLARE p classe.pupils;
BEGIN
  p := classe.linked_pupil(p_token);
  IF p.id IS NULL THEN
    RAISE EXCEPTION 'Poste non relié à la classe' USING ERRCODE = '28000';
  END IF;
  RETURN QUERY SELECT a.module, a.first_lesson, a.last_lesson, a.objective_precision, a.objective_speed, a.due
    FROM classe.assignments a WHERE a.class_id = p.class_id AND (a.pupil_id IS NULL OR a.pupil_id = p.id)
    ORDER BY a.due NULLS LAST, a.id;
END $$;
CREATE OR REPLACE FUNCTION classe.linked_hidden_lessons(p_token text) RETURNS TABLE (module text, lesson text)
  LANGUAGE plpgsql STABLE SECURITY DEFINER SET search_path = pg_catalog, classe AS $$
DECLARE p classe.pupils;
BEGIN
  p := classe.linked_pupil(p_token);
  IF p.id IS NULL THEN
    RAISE EXCEPTION 'Poste non relié à la classe' USING ERRCODE = '28000';
  END IF;
  RETURN QUERY SELECT h.module, h.lesson FROM classe.hidden_lessons h WHERE h.class_id = p.class_id
    ORDER BY h.module, h.lesson;
END $$;
UPDATE classe.schema_version SET version = 3;
\endif
SELECT version < 4 AS step4 FROM classe.schema_version \gset
\if :step4
-- Step 4: the characters each session missed, for the class's most-missed
-- characters. Counts only (how often typed, how often missed), for the
-- characters missed at least once: never what the pupil wrote.
CREATE TABLE classe.session_misses (
  uuid uuid NOT NULL REFERENCES classe.sessions ON DELETE CASCADE,
  pupil_id bigint NOT NULL REFERENCES classe.pupils ON DELETE CASCADE,
  character text NOT NULL CHECK (length(character) BETWEEN 1 AND 16),
  typed integer NOT NULL CHECK (typed >= 0),
  missed integer NOT NULL CHECK (missed > 0),
  PRIMARY KEY (uuid, character));
CREATE INDEX session_misses_pupil ON classe.session_misses (pupil_id);
ALTER TABLE classe.session_misses ENABLE ROW LEVEL SECURITY;
CREATE POLICY teacher ON classe.session_misses TO tapivox_enseignants
  USING (pupil_id IN (SELECT classe.my_pupils()));
GRANT SELECT ON classe.session_misses TO tapivox_enseignants;
-- A session and its missed characters in one call, so that both are stored
-- or neither; p_misses is {"é": [typed, missed], ...}. Sent twice, stored once.
CREATE FUNCTION classe.send_linked_session_misses(p_token text, p_uuid uuid, p_module text,
    p_lesson text, p_good integer, p_errors integer, p_seconds integer, p_typing_ms bigint,
    p_started timestamptz, p_ended timestamptz, p_completed boolean, p_misses jsonb) RETURNS boolean
  LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, classe AS $$
DECLARE p classe.pupils;
BEGIN
  p := classe.linked_pupil(p_token);
  IF p.id IS NULL THEN
    RETURN false;
  END IF;
  IF jsonb_typeof(p_misses) <> 'object' OR (SELECT count(*) FROM jsonb_object_keys(p_misses)) > 200 THEN
    RAISE EXCEPTION 'Caractères manqués illisibles' USING ERRCODE = '22023';
  END IF;
  INSERT INTO classe.sessions VALUES (p_uuid, p.id, p_module, p_lesson, p_good, p_errors,
      p_seconds, p_typing_ms, p_started, p_ended, p_completed)
    ON CONFLICT (uuid) DO NOTHING;
  -- Another pupil's uuid takes nothing of this one's.
  INSERT INTO classe.session_misses
    SELECT p_uuid, p.id, m.key, (m.value->>0)::integer, (m.value->>1)::integer
    FROM jsonb_each(p_misses) m
    WHERE EXISTS (SELECT 1 FROM classe.sessions s WHERE s.uuid = p_uuid AND s.pupil_id = p.id)
      AND (m.value->>1)::integer > 0
    ON CONFLICT (uuid, character) DO NOTHING;
  RETURN true;
END $$;
REVOKE ALL ON FUNCTION classe.send_linked_session_misses(text, uuid, text, text, integer, integer, integer, bigint, timestamptz, timestamptz, boolean, jsonb) FROM PUBLIC;
GRANT EXECUTE ON FUNCTION classe.send_linked_session_misses(text, uuid, text, text, integer, integer, integer, bigint, timestamptz, timestamptz, boolean, jsonb) TO tapivox_eleve;
UPDATE classe.schema_version SET version = 4;
\endif
COMMIT;
